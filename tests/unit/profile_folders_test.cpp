#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "removal/profile_folders.h"
#include "sim_test.h"
#include "suite_world.h"

namespace {

using sim::Call;
using world::kProfileList;

class ProfileFoldersTest : public SimTest {
 protected:
  void SetUp() override { world::add_profile_list(m); }
  std::string alice_key() const { return kProfileList + "\\" + world::kAliceSid; }
};

const std::vector<std::string> kListed = {
    "C:\\Users\\Default", "C:\\Windows\\system32\\config\\systemprofile",
    "C:\\Windows\\ServiceProfiles\\LocalService", "C:\\Windows\\ServiceProfiles\\NetworkService",
    "C:\\Users\\admin", "C:\\Users\\alice"};

TEST_F(ProfileFoldersTest, EveryAccountsFolderExpandedAndTheProfilesRoot) {
  const ProfileFolders folders = listed_profile_folders();
  EXPECT_TRUE(folders.complete);
  EXPECT_EQ(folders.profiles, kListed);
  EXPECT_EQ(folders.profiles_root, "C:\\Users");
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(ProfileFoldersTest, AMachineWithoutAListListsNoProfile) {
  ASSERT_TRUE(m.delete_key(HKLM, kProfileList));
  const ProfileFolders folders = listed_profile_folders();
  EXPECT_TRUE(folders.complete);
  EXPECT_TRUE(folders.profiles.empty());
  EXPECT_EQ(folders.profiles_root, "");
}

TEST_F(ProfileFoldersTest, WhatMakesTheListIncompleteWithoutAnError) {
  struct Row {
    const char* name;
    std::function<void(sim::Machine&, const std::string& alice)> spoil;
    bool complete;
    bool alice_listed;
  };
  const std::vector<Row> rows = {
      {"a folder stored as a plain string",
       [](sim::Machine& machine, const std::string& alice) {
         machine.set_string(platform::kHkeyLocalMachine, alice, "ProfileImagePath", "C:\\Users\\alice");
       },
       true, true},
      {"an account without a folder value names none",
       [](sim::Machine& machine, const std::string& alice) {
         machine.find_key(platform::kHkeyLocalMachine, alice)->values.clear();
       },
       true, false},
      {"a folder stored as a number",
       [](sim::Machine& machine, const std::string& alice) {
         machine.set_dword(platform::kHkeyLocalMachine, alice, "ProfileImagePath", 1);
       },
       false, false},
      {"a folder stored as bytes",
       [](sim::Machine& machine, const std::string& alice) {
         machine.set_value(platform::kHkeyLocalMachine, alice, "ProfileImagePath", platform::kRegBinary, "C:");
       },
       false, false},
      {"a folder stored as a list",
       [](sim::Machine& machine, const std::string& alice) {
         machine.set_value(platform::kHkeyLocalMachine, alice, "ProfileImagePath", platform::kRegMultiSz,
                           std::string("C\0\0\0\0\0", 6));
       },
       false, false},
      {"the profiles' folder stored as a number",
       [](sim::Machine& machine, const std::string&) {
         machine.set_dword(platform::kHkeyLocalMachine, kProfileList, "ProfilesDirectory", 7);
       },
       false, false},
      {"the list cannot be opened",
       [](sim::Machine& machine, const std::string&) {
         machine.find_key(platform::kHkeyLocalMachine, kProfileList)->open_denied = true;
       },
       false, false},
      {"an account cannot be opened",
       [](sim::Machine& machine, const std::string& alice) {
         machine.find_key(platform::kHkeyLocalMachine, alice)->open_denied = true;
       },
       false, false},
      {"the accounts cannot be listed",
       [](sim::Machine& machine, const std::string&) { machine.fail(Call::RegEnumKey, 5); },
       false, false},
      {"a folder value unreadable after its size",
       [](sim::Machine& machine, const std::string& alice) {
         machine.fail(Call::RegQueryValue, 5, 2, false, "HKLM\\" + alice + "\\ProfileImagePath");
       },
       false, false},
      {"a folder that cannot be expanded",
       [](sim::Machine& machine, const std::string&) {
         machine.fail(Call::ExpandEnvironmentStrings, 8, 1, false, "C:\\Users\\alice");
       },
       false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::Machine& machine = sim::reset();
    world::add_profile_list(machine);
    row.spoil(machine, alice_key());
    const ProfileFolders folders = listed_profile_folders();
    EXPECT_EQ(folders.complete, row.complete);
    bool alice = false;
    for (const auto& folder : folders.profiles) alice = alice || folder == "C:\\Users\\alice";
    EXPECT_EQ(alice, row.alice_listed);
    EXPECT_TRUE(machine.message_boxes.empty());
    EXPECT_EQ(machine.open_handles(), 0);
  }
}

}  // namespace
