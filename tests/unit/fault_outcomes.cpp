#include "fault_outcomes.h"

#include "platform/registry_calls.h"
#include "suite_world.h"

namespace fault_outcomes {

namespace {

using sim::Call;
constexpr std::uint32_t kNoMoreItems = 259;

unsigned bit(Outcome outcome) { return 1u << static_cast<int>(outcome); }

constexpr Outcome kRemoved = Outcome::Removed, kKept = Outcome::Kept, kNotFound = Outcome::NotFound,
                  kFailed = Outcome::RemovalFailed, kBusy = Outcome::InstallerBusy,
                  kRegistryBox = Outcome::RegistryBox, kFileBox = Outcome::FileOpenBox;

bool starts_with(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

const char* outcome_name(Outcome outcome) {
  static const char* const names[] = {"removed", "kept", "not found", "removal failed", "installer busy",
                                      "ERegistryException box", "EFOpenError box", "unexplained"};
  static_assert(sizeof(names) / sizeof(names[0]) == static_cast<int>(Outcome::Count_));
  return names[static_cast<int>(outcome)];
}

Outcome classify(int status, sim::Machine& m, world::View view) {
  const bool record_left = m.key_exists(platform::kHkeyLocalMachine,
                                        world::hklm(world::kUninstallKey + world::kProductCode, view));
  if (status == 217) {
    if (m.message_boxes.size() != 1 || m.message_boxes[0].caption != "Error")
      return Outcome::Unexplained;
    const std::string& text = m.message_boxes[0].text;
    const auto line = text.find('\n');
    const std::string error = line == std::string::npos ? std::string() : text.substr(line + 1);
    if (starts_with(error, "ERegistryException: ")) return kRegistryBox;
    if (starts_with(error, "EFOpenError: ")) return kFileBox;
    return Outcome::Unexplained;
  }
  if (!m.message_boxes.empty()) return Outcome::Unexplained;
  if (status == 0) return record_left ? kKept : kRemoved;
  // A restart to plan is a success: it must never hide a package that is still there.
  if (status == 3010 || status == 1641) return record_left ? Outcome::Unexplained : kRemoved;
  // 1603 when the installer gave nothing better, else the installer's own status.
  if (status == 1603 || status == 1605) return kFailed;
  if (status == 1618) return kBusy;
  if (status == 218) return record_left ? kNotFound : Outcome::Unexplained;
  return Outcome::Unexplained;
}

const std::vector<std::uint32_t>& codes_for(Call call) {
  // Registry: access denied, not found, out of memory, a key marked for deletion;
  // a listing may also end early (259) or meet a longer name (234).
  static const std::vector<std::uint32_t> open = {5, 2, 8, 1018};
  static const std::vector<std::uint32_t> listing = {5, 2, 8, 1018, kNoMoreItems, 234};
  static const std::vector<std::uint32_t> query = {5, 2, 8, 1018, 234};
  static const std::vector<std::uint32_t> info = {5, 8, 1018};
  // CLSIDFromProgID: class not registered, bad identifier string, out of memory.
  static const std::vector<std::uint32_t> component = {0x80040154u, 0x800401F3u, 0x8007000Eu};
  static const std::vector<std::uint32_t> attributes = {5, 2, 3, 32};
  static const std::vector<std::uint32_t> change = {5, 32, 2};
  static const std::vector<std::uint32_t> rmdir = {5, 32, 145};
  static const std::vector<std::uint32_t> read = {32, 5, 3, 33};
  static const std::vector<std::uint32_t> find_first = {5, 3, 2};
  static const std::vector<std::uint32_t> find_next = {5, 18};
  // SHFileOperation's own codes: source access denied, invalid files, cancelled.
  static const std::vector<std::uint32_t> shell_delete = {5, 32, 0x78, 0x7C, 1223};
  static const std::vector<std::uint32_t> snapshot = {5, 8, 24};
  static const std::vector<std::uint32_t> walk = {18, 24, 5};
  static const std::vector<std::uint32_t> open_process = {5, 87};
  static const std::vector<std::uint32_t> terminate = {5, 6};
  // OpenMutexA: held under a security descriptor that keeps us out, or no such mutex.
  static const std::vector<std::uint32_t> mutex = {5, 2};
  static const std::vector<std::uint32_t> launch = {2, 3, 5, 8, 1155, 1223};
  static const std::vector<std::uint32_t> wait = {6, 5};
  static const std::vector<std::uint32_t> release = {288, 6};
  static const std::vector<std::uint32_t> system_folder = {8, 5};
  static const std::vector<std::uint32_t> shell_folder = {0x80004005u, 2, 5};
  static const std::vector<std::uint32_t> path_of_list = {5, 2};
  // Where a folder really is: opening it (denied, gone, held), naming it (denied over
  // SMB, low memory, no drive letter), the drive's type (DRIVE_UNKNOWN with any
  // code), and expanding a profile's path.
  static const std::vector<std::uint32_t> open_entry = {5, 2, 3, 32};
  static const std::vector<std::uint32_t> final_name = {5, 8, 3};
  static const std::vector<std::uint32_t> drive_type = {5};
  static const std::vector<std::uint32_t> expand = {8, 87};
  static const std::vector<std::uint32_t> is_wow64 = {5, 6};
  switch (call) {
    case Call::RegOpenKey: return open;
    case Call::RegQueryInfoKey: return info;
    case Call::RegEnumKey:
    case Call::RegEnumValue: return listing;
    case Call::RegQueryValue: return query;
    case Call::ClsidFromProgId: return component;
    case Call::GetFileAttributes: return attributes;
    case Call::SetFileAttributes:
    case Call::DeleteFile: return change;
    case Call::RemoveDirectory: return rmdir;
    case Call::ReadFile: return read;
    case Call::FindFirstFile: return find_first;
    case Call::FindNextFile: return find_next;
    case Call::ShFileOperation: return shell_delete;
    case Call::CreateSnapshot: return snapshot;
    case Call::ProcessFirst:
    case Call::ProcessNext: return walk;
    case Call::OpenProcess: return open_process;
    case Call::TerminateProcess: return terminate;
    case Call::OpenMutex: return mutex;
    case Call::ReleaseMutex: return release;
    case Call::ShellExecute: return launch;
    case Call::WaitForInputIdle:
    case Call::WaitForSingleObject:
    case Call::GetExitCodeProcess: return wait;
    case Call::GetSystemDirectory: return system_folder;
    case Call::ShGetSpecialFolderLocation: return shell_folder;
    case Call::ShGetPathFromIdList: return path_of_list;
    case Call::CreateFile: return open_entry;
    case Call::GetFinalPathName: return final_name;
    case Call::GetDriveType: return drive_type;
    case Call::ExpandEnvironmentStrings: return expand;
    case Call::IsWow64Process: return is_wow64;
    case Call::Count_: break;
  }
  static const std::vector<std::uint32_t> none;
  return none;
}

bool can_cause(Call call, std::uint32_t code, Outcome outcome) {
  unsigned allowed = 0;
  switch (call) {
    // A failed open is a key that is not there: the search finds nothing, or misses a
    // record (a help pack's) that the checks after the installer ran then find still
    // there, and the removal counts as failed. Those checks read "cannot tell" as
    // "still there" too.
    case Call::RegOpenKey: allowed = bit(kRemoved) | bit(kKept) | bit(kNotFound) | bit(kFailed); break;
    // No suite in the pass that fails; on 64-bit Windows the other pass may then detect
    // it in a view that does not locate it.
    case Call::ClsidFromProgId: allowed = bit(kRemoved) | bit(kKept) | bit(kNotFound); break;
    // Listing names fails loudly; only "no more items" ends a list early and quietly,
    // with the same effects as a failed open.
    case Call::RegQueryInfoKey: allowed = bit(kRegistryBox); break;
    case Call::RegEnumKey:
    case Call::RegEnumValue:
      allowed = code == kNoMoreItems ? bit(kRemoved) | bit(kKept) | bit(kNotFound) | bit(kFailed)
                                     : bit(kRegistryBox);
      break;
    // The size query failing reads as an empty value (as a failed open); the data
    // query failing raises.
    case Call::RegQueryValue:
      allowed = bit(kRemoved) | bit(kKept) | bit(kNotFound) | bit(kFailed) | bit(kRegistryBox);
      break;
    case Call::ReadFile: allowed = bit(kFileBox); break;
    // A mutex we may not open counts as held; "not found" lets a held one pass unseen.
    case Call::OpenMutex:
      allowed = code == platform::kErrorFileNotFound ? bit(kRemoved) : bit(kBusy);
      break;
    // The bootstrap file looks missing (no product key) or a cleanup test fails.
    case Call::GetFileAttributes: allowed = bit(kRemoved) | bit(kNotFound); break;
    // Without an answer the run takes Windows as 32-bit: a suite in the other view of a
    // 64-bit Windows is then not found.
    case Call::IsWow64Process: allowed = bit(kRemoved) | bit(kNotFound); break;
    // Starting or waiting for the installer: the removal fails or goes on. A failed
    // wait on the installer's mutex tells nothing: the run touches nothing then.
    case Call::WaitForSingleObject: allowed = bit(kRemoved) | bit(kFailed) | bit(kBusy); break;
    case Call::ShellExecute:
    case Call::GetSystemDirectory: allowed = bit(kRemoved) | bit(kFailed); break;
    default: allowed = bit(kRemoved); break;
  }
  return (allowed & bit(outcome)) != 0;
}

bool is_cleanup_call(Call call) {
  switch (call) {
    case Call::GetFileAttributes:
    case Call::SetFileAttributes:
    case Call::DeleteFile:
    case Call::RemoveDirectory:
    case Call::FindFirstFile:
    case Call::FindNextFile:
    case Call::ShFileOperation:
    case Call::ShGetSpecialFolderLocation:
    case Call::ShGetPathFromIdList:
    case Call::CreateFile:
    case Call::GetFinalPathName:
    case Call::GetDriveType:
    case Call::ExpandEnvironmentStrings: return true;
    default: return false;
  }
}

bool is_cleanup_target(const std::string& target) {
  static const std::string profile_list =
      "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
  return sim::upper_ansi(target).rfind(sim::upper_ansi(profile_list), 0) == 0;
}

bool answers_absent(Call call, std::uint32_t code) {
  switch (call) {
    case Call::RegOpenKey:
    case Call::RegQueryValue:
    case Call::OpenMutex: return code == platform::kErrorFileNotFound;
    case Call::RegEnumKey:
    case Call::RegEnumValue: return code == kNoMoreItems;
    default: return false;
  }
}

bool message_fits(Call call, std::uint32_t code, Outcome outcome, const std::string& message) {
  if (outcome == kRegistryBox) {
    if (call == Call::RegQueryValue) return starts_with(message, "Failed to get data for value \"");
    return message == platform::system_message(code);
  }
  if (outcome == kFileBox) {
    const std::string tail = "\": " + platform::system_message(code);
    return starts_with(message, "Unable to open file \"") && message.size() >= tail.size() &&
           message.compare(message.size() - tail.size(), tail.size(), tail) == 0;
  }
  return true;
}

}  // namespace fault_outcomes
