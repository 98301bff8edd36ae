// The users' profile folders as the system lists them, under
// HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\ProfileList: one subkey per
// account (its SID) with the profile's folder in "ProfileImagePath", the default
// profile's folder in "Default", and the folder that holds the profiles in
// "ProfilesDirectory". The folders are stored with environment variables
// ("%SystemDrive%\Users") and come expanded.
#pragma once

#include <string>
#include <vector>

struct ProfileFolders {
  std::vector<std::string> profiles;  // every account's folder, and the default profile
  std::string profiles_root;          // "" when the list names none
  // False when the list could not be read whole: a profile may then be anywhere.
  bool complete = true;
};

// Read afresh. A machine without the list has no listed profile (complete and empty),
// and an entry without a folder value names no folder. A list that exists but cannot
// be read whole, a folder value that is no string, or one that cannot be expanded
// makes it incomplete. Never raises.
ProfileFolders listed_profile_folders();
