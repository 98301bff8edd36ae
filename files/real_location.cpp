#include "files/real_location.h"

#include <cctype>
#include <vector>

#include "platform/environment_calls.h"
#include "platform/owners.h"
#include "platform/path_calls.h"
#include "platform/process_calls.h"  // kMaxPath

namespace {

constexpr char kVerbatim[] = "\\\\?\\";
constexpr char kVerbatimShare[] = "\\\\?\\UNC\\";

bool starts_with(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// GetFinalPathNameByHandleA into a buffer grown to the size it asks for; the ANSI
// call of Vista counts the NUL in a successful answer too, so the text ends at the
// first NUL whatever the answer.
std::optional<std::string> final_name(platform::Handle file) {
  std::vector<char> buffer(platform::kMaxPath);
  for (int attempt = 0; attempt < 3; ++attempt) {
    const auto size = static_cast<std::uint32_t>(buffer.size());
    const std::uint32_t answer = platform::get_final_path_name_by_handle(
        file, buffer.data(), size, platform::kFileNameNormalized | platform::kVolumeNameDos);
    if (answer == 0) return std::nullopt;
    if (answer < size) return std::string(buffer.data());
    buffer.assign(answer + 1, '\0');
  }
  return std::nullopt;  // the name keeps growing: it cannot be relied on
}

}  // namespace

std::optional<std::string> final_path_of(const std::string& path) {
  // No data access, every sharing allowed: the open neither needs rights on the
  // entry nor disturbs anybody who holds it; backup semantics let a folder open.
  const platform::UniqueFile file(platform::create_file(
      path, platform::kFileReadAttributes,
      platform::kFileShareRead | platform::kFileShareWrite | platform::kFileShareDelete,
      platform::kOpenExisting, platform::kFileFlagBackupSemantics));
  if (!file.valid()) return std::nullopt;
  const std::optional<std::string> name = final_name(file.get());
  if (!name) return std::nullopt;
  if (starts_with(*name, kVerbatimShare)) return "\\\\" + name->substr(sizeof kVerbatimShare - 1);
  if (starts_with(*name, kVerbatim)) return name->substr(sizeof kVerbatim - 1);
  return name;
}

bool on_local_fixed_drive(const std::string& final_path) {
  if (final_path.size() < 3 || !std::isalpha(static_cast<unsigned char>(final_path[0])) ||
      final_path[1] != ':' || final_path[2] != '\\')
    return false;
  return platform::get_drive_type(final_path.substr(0, 3)) == platform::kDriveFixed;
}

std::optional<std::string> expanded_path(const std::string& text) {
  // One byte more than asked for: the ANSI call wants it.
  const std::uint32_t needed = platform::expand_environment_strings(text, nullptr, 0);
  if (needed == 0) return std::nullopt;
  std::string buffer(needed + 1, '\0');
  const std::uint32_t answer = platform::expand_environment_strings(text, buffer.data(), needed + 1);
  if (answer == 0 || answer > needed + 1) return std::nullopt;
  buffer.resize(buffer.find('\0'));
  return buffer;
}
