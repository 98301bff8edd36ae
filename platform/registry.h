// The registry accessor: a root key, an access mask and at most one open current key.
//
// Paths are "\"-separated. A path beginning with "\" is taken from the root key; any
// other from the current key when one is open, else from the root. A trailing "\" is
// accepted. Failed opens show only in the Boolean results; enumeration and read
// failures raise ERegistryException with the system's text or the messages below.
//
// Every open of every accessor adds the run-wide view flag (none, KEY_WOW64_64KEY or
// KEY_WOW64_32KEY): the run sets it once per pass. An accessor made with a view flag of
// its own in `access` (a key that is the machine's, such as the profile list) keeps that
// one instead.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/owners.h"
#include "platform/registry_calls.h"
#include "platform/string_list.h"

namespace platform {
// The view flag every accessor adds to its opens; 0 (the program's own view) at start.
void set_registry_view(std::uint32_t view);
std::uint32_t registry_view();
}  // namespace platform

class Registry {
 public:
  // `access` is KEY_READ or the default full access, with a view flag when asked for
  // (KEY_WOW64_64KEY); the operations set their own rights and keep the view.
  explicit Registry(platform::RegKey root, std::uint32_t access = platform::kKeyAllAccess);
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // Opens with query-value, enumerate-subkeys and read-control rights and closes at
  // once; the current key is not touched.
  bool key_exists(const std::string& path) const;
  // The registry answers that the key does not exist (2); a key that cannot be opened
  // for another reason (access denied, low memory) may still be there.
  bool key_missing(const std::string& path) const;
  // On success the key becomes the current key (the previous one is closed); on
  // failure nothing changes.
  bool open_read_only(const std::string& path);
  // Replace `list` with the names under the current key (or the root), unsorted.
  void subkey_names(StringList& list) const;
  void value_names(StringList& list) const;
  // The value exists under the current key; names match without regard to case.
  bool value_exists(const std::string& name) const;
  // The value's text without its terminating NUL, unexpanded; "" when missing or
  // empty; the empty name reads the default value. Raises on data of another type
  // ("Invalid registry data type: "%s"") or data unreadable once its size was known
  // ("Failed to get data for value "%s"").
  std::string read_string(const std::string& name) const;
  // read_string's answer, but nothing when the registry could not say what the value
  // holds: its size query failed for another reason than the value's absence (2).
  std::optional<std::string> read_string_if_known(const std::string& name) const;
  void close_key();

  platform::RegKey root() const { return root_; }
  std::uint32_t access() const { return access_; }

 private:
  platform::RegKey base_for(const std::string& path, std::string& relative) const;
  platform::RegKey current_or_root() const;
  std::uint32_t view() const;

  platform::RegKey root_;
  std::uint32_t access_;
  platform::UniqueRegKey current_;
};
