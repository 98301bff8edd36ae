// Opening an entry, its final name and the drive type, over the sim's drives. The sim
// opens existing entries only, and names them only in the normalised DOS form.
#include "platform/path_calls.h"

#include <cctype>
#include <cstring>
#include <memory>

#include "platform/sim/machine.h"
#include "platform/sim/paths.h"

namespace platform {

namespace {

using Kind = sim::Machine::HandleKind;

// Rights that touch no data: a file held open without sharing still admits them.
constexpr std::uint32_t kNoDataAccess = kFileReadAttributes | 0x20000 /* READ_CONTROL */ |
                                        0x100000 /* SYNCHRONIZE */;

struct OpenEntry {
  std::string path;        // as opened, for fault targets
  std::string final_name;  // "\\?\..." as the handle names it
};

Handle fails_with(std::uint32_t code) {
  sim::machine().last_error = code;
  return kInvalidHandle;
}

}  // namespace

Handle create_file(const std::string& path, std::uint32_t desired_access, std::uint32_t share_mode,
                   std::uint32_t creation_disposition, std::uint32_t flags_and_attributes) {
  (void)share_mode;  // the sim keeps no share modes of its own handles
  auto& m = sim::machine();
  if (auto code = m.check(sim::Call::CreateFile, path)) return fails_with(*code);
  if (creation_disposition != kOpenExisting) return fails_with(kErrorInvalidParameter);
  const sim::ParsedPath parsed = sim::parse_path(path);
  const bool follow = (flags_and_attributes & kFileFlagOpenReparsePoint) == 0;
  const sim::Lookup found = sim::walk(parsed, follow);
  if (found.error != kErrorSuccess) return fails_with(found.error);
  if (found.node->is_folder() && (flags_and_attributes & kFileFlagBackupSemantics) == 0)
    return fails_with(kErrorAccessDenied);
  if (found.node->locked && (desired_access & ~kNoDataAccess) != 0)
    return fails_with(kErrorSharingViolation);
  return m.open_handle(Kind::File,
                       std::make_shared<OpenEntry>(OpenEntry{path, sim::final_name(parsed, found)}));
}

std::uint32_t get_final_path_name_by_handle(Handle file, char* buffer, std::uint32_t size,
                                            std::uint32_t flags) {
  auto& m = sim::machine();
  auto* entry = static_cast<OpenEntry*>(m.handle_object(file, Kind::File));
  if (!entry) {
    m.last_error = kErrorInvalidHandle;
    return 0;
  }
  if (auto code = m.check(sim::Call::GetFinalPathName, entry->path)) {
    m.last_error = *code;
    return 0;
  }
  if (flags != (kFileNameNormalized | kVolumeNameDos)) {
    m.last_error = kErrorInvalidParameter;  // Windows has the other forms; the sim does not
    return 0;
  }
  const std::string& name = entry->final_name;
  const auto length = static_cast<std::uint32_t>(name.size());
  if (!buffer || size < length + 1) return length + 1;
  std::memcpy(buffer, name.c_str(), length + 1);
  return length;
}

std::uint32_t get_drive_type(const std::string& root) {
  auto& m = sim::machine();
  if (auto code = m.check(sim::Call::GetDriveType, root)) {
    m.last_error = *code;
    return kDriveUnknown;
  }
  if (root.empty() || root.back() != '\\') return kDriveNoRootDir;
  const sim::ParsedPath parsed = sim::parse_path(root);
  if (parsed.error != kErrorSuccess) return kDriveNoRootDir;
  if (!parsed.share.empty())
    return parsed.parts.size() == parsed.share_root_parts ? kDriveRemote : kDriveNoRootDir;
  // A root written as such, or a substituted drive's (which stands for its folder).
  const bool written_as_root = root.size() == 3 && root[1] == ':';
  if (!written_as_root || parsed.parts.empty()) return kDriveNoRootDir;
  const char letter = parsed.parts[0][0];
  if (!m.drives.count(static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))))
    return kDriveNoRootDir;
  return m.drive_type(letter);
}

}  // namespace platform
