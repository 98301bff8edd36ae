// The system folder, the shell folders, and trailing separators.
#include "fonction.h"
#include "platform/folder_calls.h"
#include "platform/owners.h"
#include "platform/process_calls.h"

void STRRESETLENGTH(std::string& S) {
  const std::size_t nul = S.find('\0');
  if (nul != std::string::npos) S.resize(nul);
}

std::string GETWINDOWSSYSTEMFOLDER() {
  const std::uint32_t size = platform::get_system_directory(nullptr, 0);
  if (size == 0) return {};
  std::string folder(size, '\0');
  platform::get_system_directory(folder.data(), size);
  STRRESETLENGTH(folder);
  return folder;
}

std::string PIDLTOPATH(platform::Handle IDLIST) {
  std::string path(platform::kMaxPath, '\0');
  if (!platform::sh_get_path_from_id_list(IDLIST, path.data())) return {};
  STRRESETLENGTH(path);
  return path;
}

std::string GETSPECIALFOLDERLOCATION(int FOLDER) {
  platform::Handle list = platform::kNullHandle;
  if (platform::sh_get_special_folder_location(platform::kNullHandle, FOLDER, list) < 0) return {};
  const platform::UniqueItemList owner(list);  // freed also when the conversion fails
  return PIDLTOPATH(list);
}

std::string GETCOMMONDESKTOPDIRECTORYFOLDER() {
  return GETSPECIALFOLDERLOCATION(platform::kCsidlCommonDesktopDirectory);
}
std::string GETSTARTUPFOLDER() { return GETSPECIALFOLDERLOCATION(platform::kCsidlStartup); }
std::string GETCOMMONPROGRAMSFOLDER() {
  return GETSPECIALFOLDERLOCATION(platform::kCsidlCommonPrograms);
}

std::string PATHADDSEPARATOR(const std::string& PATH) {
  if (!PATH.empty() && PATH.back() == '\\') return PATH;
  return PATH + "\\";
}

std::string PATHREMOVESEPARATOR(const std::string& PATH) {
  if (!PATH.empty() && PATH.back() == '\\') return PATH.substr(0, PATH.size() - 1);
  return PATH;
}

std::string INCLUDETRAILINGPATHDELIMITER(const std::string& PATH) {
  if (!PATH.empty() && (PATH.back() == '\\' || PATH.back() == '/')) return PATH;
  return PATH + "\\";
}
