// Deleting folder trees: through the shell (with the Recycle Bin) or entry by entry.
#include "fonction.h"
#include "platform/file_calls.h"
#include "platform/owners.h"

namespace {

constexpr std::uint32_t kFofCompletelySilent = platform::kFofSilent | platform::kFofNoConfirmation |
                                               platform::kFofNoConfirmMkdir |
                                               platform::kFofNoErrorUi;
constexpr std::uint32_t kAnyAttributes = 0x1FF;  // every attribute an entry may carry

bool is_delimiter(char c) { return c == '\\' || c == '/' || c == ':'; }

// The folder part of a path: up to its last delimiter, without a trailing separator
// unless that separator is what makes it a root ("C:\", "\").
std::string folder_part(const std::string& PATH) {
  const std::size_t last = PATH.find_last_of("\\/:");
  if (last == std::string::npos) return {};
  std::string folder = PATH.substr(0, last + 1);
  const std::size_t end = folder.size() - 1;
  if ((folder[end] == '\\' || folder[end] == '/') && end > 0 && !is_delimiter(folder[end - 1]))
    folder.pop_back();
  return folder;
}

}  // namespace

std::uint32_t DELETEOPTIONSTOCARDINAL(const TSHDELETEOPTIONS& OPTIONS) {
  std::uint32_t flags = 0;
  if (OPTIONS.count(TSHDELETEOPTION::DOSILENT)) flags |= kFofCompletelySilent;
  if (OPTIONS.count(TSHDELETEOPTION::DOALLOWUNDO)) flags |= platform::kFofAllowUndo;
  if (OPTIONS.count(TSHDELETEOPTION::DOFILESONLY)) flags |= platform::kFofFilesOnly;
  return flags;
}

bool DELETEDIRECTORY(const std::string& DIRECTORYNAME, bool MOVETORECYCLEBIN) {
  if (MOVETORECYCLEBIN)
    return SHDELETEFOLDER(platform::kNullHandle, DIRECTORYNAME,
                          {TSHDELETEOPTION::DOSILENT, TSHDELETEOPTION::DOALLOWUNDO});
  return DELTREE(DIRECTORYNAME);
}

bool SHDELETEFILES(platform::Handle PARENT, const std::string& FILES,
                   const TSHDELETEOPTIONS& OPTIONS) {
  platform::FileOperation operation;
  operation.owner = PARENT;
  operation.function = platform::kFoDelete;
  operation.from = FILES + std::string(2, '\0');
  operation.flags = DELETEOPTIONSTOCARDINAL(OPTIONS);
  return platform::sh_file_operation(operation) == 0;
}

bool SHDELETEFOLDER(platform::Handle PARENT, const std::string& FOLDER, TSHDELETEOPTIONS OPTIONS) {
  // The folder itself goes too, so restricting the delete to files makes no sense here.
  OPTIONS.erase(TSHDELETEOPTION::DOFILESONLY);
  if (!SHDELETEFILES(PARENT, PATHADDSEPARATOR(FOLDER) + "*.*", OPTIONS)) return false;
  return SHDELETEFILES(PARENT, PATHREMOVESEPARATOR(FOLDER), OPTIONS);
}

bool DELTREE(const std::string& PATH) { return DELTREEEX(PATH, false, nullptr); }

bool DELTREEEX(const std::string& PATH, bool ABORTONFAILURE, const TDELTREEPROGRESS& PROGRESS) {
  if (PATH.empty()) return false;
  bool result = true;
  const std::string LPATH = PATHREMOVESEPARATOR(PATH);
  {
    StringList FILES;
    BUILDFILELIST(LPATH + "\\*.*", kAnyAttributes, FILES, false);
    for (const auto& name : FILES.items()) {
      const std::string FILENAME = LPATH + "\\" + name;
      bool partial = true;
      const std::uint32_t ATTR = platform::get_file_attributes(FILENAME);
      if (ATTR != platform::kInvalidFileAttributes &&
          (ATTR & platform::kFileAttributeDirectory) != 0) {
        if ((ATTR & platform::kFileAttributeReparsePoint) != 0) {
          // A junction or folder symlink: the link goes, never what it points at.
          partial = platform::set_file_attributes(FILENAME, platform::kFileAttributeNormal) &&
                    platform::remove_directory(FILENAME);
        } else {
          partial = DELTREEEX(FILENAME, ABORTONFAILURE, PROGRESS);
        }
      } else {
        if (PROGRESS) partial = PROGRESS(FILENAME, ATTR);
        if (partial)
          partial = platform::set_file_attributes(FILENAME, platform::kFileAttributeNormal) &&
                    platform::delete_file(FILENAME);
      }
      if (!partial) {
        result = false;
        if (ABORTONFAILURE) break;
      }
    }
  }
  if (result)
    result = platform::set_file_attributes(LPATH, platform::kFileAttributeNormal) &&
             platform::remove_directory(LPATH);
  return result;
}

bool BUILDFILELIST(const std::string& PATH, std::uint32_t ATTR, StringList& LIST,
                   bool INCLUDEDIRECTORYNAME) {
  std::string DIRECTORY = folder_part(PATH);
  std::string MASKS = PATH;
  if (!DIRECTORY.empty()) {
    DIRECTORY = PATHADDSEPARATOR(DIRECTORY);
    MASKS = STRAFTER(DIRECTORY, PATH);
  }
  StringList MASKLIST;
  STRTOKENTOSTRINGS(MASKS, ';', &MASKLIST);

  platform::FindData entry;
  const platform::UniqueFind search(platform::find_first_file(DIRECTORY + "*", entry));
  bool result = search.valid();
  const UpdateBracket bracket(LIST);
  while (result) {
    for (const auto& mask : MASKLIST.items()) {
      if (entry.name != "." && entry.name != ".." &&
          (entry.attributes & ATTR) == (entry.attributes & kAnyAttributes) &&
          ISFILENAMEMATCH(entry.name, mask, false)) {
        LIST.add(INCLUDEDIRECTORYNAME ? DIRECTORY + entry.name : entry.name);
        break;
      }
    }
    if (!platform::find_next_file(search.get(), entry)) {
      if (platform::last_error() != platform::kErrorNoMoreFiles) result = false;
      break;
    }
  }
  return result;
}
