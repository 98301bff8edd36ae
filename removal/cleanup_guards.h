// What the cleanup may delete: never a drive, a system folder or anything above one,
// and never outside the desktop or Start-menu folder through the product key.
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

// The folders the machine cannot lose: Windows, system, Program Files, ProgramData,
// the users' folder and the user's profile, the shell folders the cleanup uses.
std::vector<std::string> protected_folders();
