#include "removal/profile_folders.h"

#include <optional>

#include "errors.h"
#include "files/real_location.h"
#include "platform/registry.h"

namespace {

const std::string SPATH_PROFILELIST = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
// The list lives in the 64-bit view on 64-bit Windows, whichever build reads it.
constexpr std::uint32_t kListAccess = platform::kKeyRead | platform::kKeyWow6464Key;

// A folder value of the open key, expanded: "" when the value is missing or empty,
// nullopt when it cannot be expanded. Raises when the value is no string.
std::optional<std::string> folder_value(const Registry& key, const std::string& name) {
  const std::string text = key.read_string(name);
  if (text.empty()) return std::string();
  return expanded_path(text);
}

}  // namespace

ProfileFolders listed_profile_folders() {
  ProfileFolders folders;
  Registry list(platform::kHkeyLocalMachine, kListAccess);
  if (!list.open_read_only(SPATH_PROFILELIST)) {
    folders.complete = list.key_missing(SPATH_PROFILELIST);
    return folders;
  }
  // The package is already removed when this runs. A list that cannot be read is a
  // reason to keep folders, not an error that ends the run: a value of another type
  // (which the accessor raises on) or a failed listing leaves the list incomplete,
  // and the cleanup then keeps what it would have removed.
  try {
    const auto root = folder_value(list, "ProfilesDirectory");
    const auto default_profile = folder_value(list, "Default");
    if (!root || !default_profile) folders.complete = false;
    if (root) folders.profiles_root = *root;
    if (default_profile && !default_profile->empty()) folders.profiles.push_back(*default_profile);

    StringList accounts;
    list.subkey_names(accounts);
    for (const auto& account : accounts.items()) {
      Registry entry(platform::kHkeyLocalMachine, kListAccess);
      if (!entry.open_read_only(SPATH_PROFILELIST + "\\" + account)) {
        folders.complete = false;  // listed a moment ago: it may still own a folder
        continue;
      }
      // An entry without a folder value names no folder (Windows cannot load it
      // either); one whose folder cannot be expanded may name any.
      const auto folder = folder_value(entry, "ProfileImagePath");
      if (!folder) folders.complete = false;
      if (folder && !folder->empty()) folders.profiles.push_back(*folder);
    }
  } catch (const ERegistryException&) {
    folders.complete = false;
  }
  return folders;
}
