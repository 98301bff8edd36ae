// What the cleanup may delete: never a drive, a system folder or anything above one,
// never anything in the Windows folder or in a user's profile, never off a local
// fixed drive (a share or a removable drive has no Recycle Bin: the shell would
// delete outright), and never outside the desktop or Start-menu folder through the
// product key. A recorded path is judged as written, and then where the system says
// it really is: its final path, whatever spelling, link or short name led there.
#pragma once

#include <string>
#include <vector>

// A product key that can stand as one file or folder name: not empty, no "\", "/" or
// ":", not "." or "..".
bool is_plain_name(const std::string& name);

// `folder` is a full path (drive letter with ":\", or UNC) below a drive or share root,
// with no "." or ".." step, wildcard or short-name step, and is neither one of
// `protected_folders` nor above one of them.
bool is_removable_folder(const std::string& folder, const std::vector<std::string>& protected_folders);

// What no cleanup may reach, each folder as the system names it and where it really is.
struct KeptFolders {
  // Neither these nor anything above them: Windows, system, Program Files, ProgramData,
  // the users' folder and the user's profile, the shell folders the cleanup uses, the
  // folder holding the profiles and every profile, and those well-known names on
  // every drive.
  std::vector<std::string> with_ancestors;
  // Nothing in these either: the Windows folder and every user's profile.
  std::vector<std::string> with_contents;
  // False when the profile list could not be read whole: a profile may be anywhere.
  bool profiles_known = true;
};
KeptFolders kept_folders();

// The folder's final path is known and on a local fixed drive; it passes
// is_removable_folder against `kept.with_ancestors`; it lies in none of
// `kept.with_contents`; and neither it nor a folder above it holds a user's registry
// hive (NTUSER.DAT), the mark of a profile the list may have missed.
bool really_removable(const std::string& folder, const KeptFolders& kept);

// Shortcuts may be deleted in the folder: its final path is known, on a local fixed
// drive, in neither Windows nor a profile, and above none of `kept.with_ancestors`
// (being one of them is the desktop's own place).
bool really_holds_shortcuts(const std::string& folder, const KeptFolders& kept);
