#include "removal/cleanup_guards.h"

#include <cctype>
#include <initializer_list>

#include "files/real_location.h"
#include "fonction.h"
#include "platform/codepage.h"
#include "platform/file_calls.h"
#include "platform/folder_calls.h"
#include "removal/profile_folders.h"

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

// A user's registry hive: the folder holding it is that user's profile.
constexpr char kHive[] = "NTUSER.DAT";

std::string normalized(std::string path) {
  while (path.size() > 1 && path.back() == '\\') path.pop_back();
  return platform::ansi_upper(path);
}

std::string parent_of(const std::string& path) {
  const std::string trimmed = normalized(path);
  const std::size_t cut = trimmed.find_last_of('\\');
  return cut == std::string::npos ? std::string() : trimmed.substr(0, cut);
}

// `path` is `base` or lies below it, without regard to letter case.
bool at_or_below(const std::string& path, const std::string& base) {
  if (base.empty()) return false;
  const std::string inner = normalized(path), outer = normalized(base);
  return inner == outer || inner.rfind(outer + "\\", 0) == 0;
}

// A step Windows would read as another name or a pattern: ".", "..", names ending in
// "." or " " (Windows drops those), wildcards, and "~" (an 8.3 short name can stand
// for any long one, "PROGRA~1" for "Program Files").
bool is_plain_step(const std::string& step) {
  if (step.empty() || step == "." || step == "..") return false;
  if (step.back() == '.' || step.back() == ' ') return false;
  return step.find_first_of("/:*?\"<>|~") == std::string::npos;
}

// The well-known folders of every drive, by name: a 32-bit program is shown only the
// 32-bit Program Files, and another drive's Windows or users' folder by no shell folder.
void add_on_every_drive(std::vector<std::string>& folders,
                        std::initializer_list<const char*> names) {
  for (char drive = 'A'; drive <= 'Z'; ++drive)
    for (const char* name : names) folders.push_back(std::string(1, drive) + ":\\" + name);
}

// `folders` followed by where each of them really is, where that differs in more than
// letter case (a junction, a short name, a substituted drive).
std::vector<std::string> with_real_locations(std::vector<std::string> folders) {
  const std::size_t named = folders.size();
  for (std::size_t i = 0; i < named; ++i) {
    if (folders[i].empty()) continue;
    const auto real = final_path_of(folders[i]);
    if (real && normalized(*real) != normalized(folders[i])) folders.push_back(*real);
  }
  return folders;
}

// The folder or one above it holds a user's hive. An answer other than "not there"
// cannot rule one out.
bool within_a_hive_folder(std::string folder) {
  for (;;) {
    const std::uint32_t attributes = platform::get_file_attributes(PATHADDSEPARATOR(folder) + kHive);
    if (attributes != platform::kInvalidFileAttributes) return true;
    const std::uint32_t error = platform::last_error();
    if (error != platform::kErrorFileNotFound && error != platform::kErrorPathNotFound) return true;
    if (folder.size() <= 3) return false;  // the drive root was the last to ask
    const std::size_t cut = folder.find_last_of('\\');
    folder = cut <= 2 ? folder.substr(0, 3) : folder.substr(0, cut);
  }
}

// A final path the cleanup may touch at all: on a local fixed drive, in neither
// Windows nor a profile.
bool in_reach(const std::string& real, const KeptFolders& kept) {
  if (!kept.profiles_known || !on_local_fixed_drive(real)) return false;
  for (const auto& inner : kept.with_contents)
    if (at_or_below(real, inner)) return false;
  return !within_a_hive_folder(real);
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

  for (const auto& kept : protected_list)
    if (at_or_below(kept, path)) return false;
  return true;
}

KeptFolders kept_folders() {
  const std::string system = GETWINDOWSSYSTEMFOLDER();
  const std::string windows_shell = GETSPECIALFOLDERLOCATION(kCsidlWindows);
  std::vector<std::string> named = {system, parent_of(system), windows_shell};
  for (int csidl : {kCsidlSystem, kCsidlSystemX86, kCsidlProgramFiles, kCsidlProgramFilesX86,
                    kCsidlProgramFilesCommon, kCsidlCommonAppData, kCsidlCommonStartMenu,
                    kCsidlCommonDocuments, platform::kCsidlStartup, platform::kCsidlCommonPrograms,
                    platform::kCsidlCommonDesktopDirectory}) {
    named.push_back(GETSPECIALFOLDERLOCATION(csidl));
  }
  // The users' folder holds every profile; the public folder sits beside them.
  const std::string profile = GETSPECIALFOLDERLOCATION(kCsidlProfile);
  named.push_back(profile);
  named.push_back(parent_of(profile));

  // Every profile is kept whole, and neither it nor the profiles' folder may go with
  // a folder above it.
  const ProfileFolders profiles = listed_profile_folders();
  named.push_back(profiles.profiles_root);
  named.insert(named.end(), profiles.profiles.begin(), profiles.profiles.end());
  std::vector<std::string> inner = {parent_of(system), windows_shell,
                                    expanded_path("%SystemRoot%").value_or("")};
  inner.insert(inner.end(), profiles.profiles.begin(), profiles.profiles.end());

  KeptFolders kept;
  kept.with_ancestors = with_real_locations(named);
  add_on_every_drive(kept.with_ancestors,
                     {"Windows", "Program Files", "Program Files (x86)", "ProgramData", "Users"});
  kept.with_contents = with_real_locations(inner);
  add_on_every_drive(kept.with_contents, {"Windows"});
  kept.profiles_known = profiles.complete;
  return kept;
}

bool really_removable(const std::string& folder, const KeptFolders& kept) {
  const auto real = final_path_of(folder);
  return real && is_removable_folder(*real, kept.with_ancestors) && in_reach(*real, kept);
}

bool really_holds_shortcuts(const std::string& folder, const KeptFolders& kept) {
  const auto real = final_path_of(folder);
  if (!real) return false;
  for (const auto& outer : kept.with_ancestors)
    if (at_or_below(outer, *real) && normalized(outer) != normalized(*real)) return false;
  return in_reach(*real, kept);
}
