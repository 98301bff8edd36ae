#include "removal/cleanup_guards.h"

#include <cctype>

#include "fonction.h"
#include "platform/codepage.h"
#include "platform/folder_calls.h"

namespace {

// Further shell folders (CSIDL numbers) that no cleanup may reach.
constexpr int kCsidlCommonAppData = 0x23;
constexpr int kCsidlWindows = 0x24;
constexpr int kCsidlSystem = 0x25;
constexpr int kCsidlProgramFiles = 0x26;
constexpr int kCsidlProfile = 0x28;
constexpr int kCsidlSystemX86 = 0x29;
constexpr int kCsidlProgramFilesX86 = 0x2A;
constexpr int kCsidlProgramFilesCommon = 0x2B;
constexpr int kCsidlCommonDocuments = 0x2E;
constexpr int kCsidlCommonStartMenu = 0x16;

std::string normalized(std::string path) {
  while (path.size() > 1 && path.back() == '\\') path.pop_back();
  return platform::ansi_upper(path);
}

std::string parent_of(const std::string& path) {
  const std::string trimmed = normalized(path);
  const std::size_t cut = trimmed.find_last_of('\\');
  return cut == std::string::npos ? std::string() : trimmed.substr(0, cut);
}

// A step Windows would read as another name or a pattern: ".", "..", names ending in
// "." or " " (Windows drops those), wildcards, and "~" (an 8.3 short name can stand
// for any long one, "PROGRA~1" for "Program Files").
bool is_plain_step(const std::string& step) {
  if (step.empty() || step == "." || step == "..") return false;
  if (step.back() == '.' || step.back() == ' ') return false;
  return step.find_first_of("/:*?\"<>|~") == std::string::npos;
}

}  // namespace

bool is_plain_name(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("\\/:") == std::string::npos;
}

bool is_removable_folder(const std::string& folder, const std::vector<std::string>& protected_list) {
  std::string path = folder;
  while (!path.empty() && path.back() == '\\') path.pop_back();
  std::string root;
  std::size_t least_steps = 1;  // below the drive root
  if (path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
      path[2] == '\\') {
    root = path.substr(0, 3);
  } else if (path.rfind("\\\\", 0) == 0) {
    root = "\\\\";
    least_steps = 3;  // server, share, then a folder below the share root
  } else {
    return false;  // relative, drive-relative or rooted without a drive
  }
  std::size_t steps = 0;
  std::size_t from = root.size();
  while (from <= path.size()) {
    std::size_t to = path.find('\\', from);
    if (to == std::string::npos) to = path.size();
    if (!is_plain_step(path.substr(from, to - from))) return false;
    ++steps;
    from = to + 1;
  }
  if (steps < least_steps) return false;

  const std::string candidate = normalized(path);
  for (const auto& kept : protected_list) {
    if (kept.empty()) continue;
    const std::string other = normalized(kept);
    if (other == candidate || other.rfind(candidate + "\\", 0) == 0) return false;
  }
  return true;
}

std::vector<std::string> protected_folders() {
  std::vector<std::string> folders;
  const std::string system = GETWINDOWSSYSTEMFOLDER();
  folders.push_back(system);
  folders.push_back(parent_of(system));
  for (int csidl : {kCsidlWindows, kCsidlSystem, kCsidlSystemX86, kCsidlProgramFiles,
                    kCsidlProgramFilesX86, kCsidlProgramFilesCommon, kCsidlCommonAppData,
                    kCsidlCommonStartMenu, kCsidlCommonDocuments, platform::kCsidlStartup,
                    platform::kCsidlCommonPrograms, platform::kCsidlCommonDesktopDirectory}) {
    folders.push_back(GETSPECIALFOLDERLOCATION(csidl));
  }
  // The users' folder holds every profile; the public folder sits beside them.
  const std::string profile = GETSPECIALFOLDERLOCATION(kCsidlProfile);
  folders.push_back(profile);
  folders.push_back(parent_of(profile));
  // A 32-bit program is shown only the 32-bit Program Files; the other one, and the
  // well-known folders of every drive, are kept by name.
  for (char drive = 'A'; drive <= 'Z'; ++drive) {
    for (const char* name : {"Windows", "Program Files", "Program Files (x86)", "ProgramData", "Users"})
      folders.push_back(std::string(1, drive) + ":\\" + name);
  }
  return folders;
}
