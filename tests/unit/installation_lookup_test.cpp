#include <functional>

#include "errors.h"
#include "platform/sim/installer_tool.h"
#include "records/installation_lookup.h"
#include "sim_test.h"
#include "suite_world.h"

namespace {

using world::kFolder;

class InstallationLookupTest : public SimTest {
 protected:
  void SetUp() override {
    world::add_bootstrap(m, kFolder, world::kProductKey);
    world::add_package_record(m, world::kProductCode, world::kDisplayName);
  }
};

TEST_F(InstallationLookupTest, FindsTheThreeValues) {
  world::add_vendor_location(m, world::kTdfVendor, "7.6.4.1", "C:\\Program Files\\LibreOffice\\");
  const Installation found = RECH_INSTALLATION();
  EXPECT_EQ(found.SCHEMOPEN, "c:\\program files\\libreoffice\\");
  EXPECT_EQ(found.SVERSOOO, world::kProductKey);
  EXPECT_EQ(found.SPRODUCTCODE, world::kProductCode);
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(InstallationLookupTest, EachVendorKey) {
  for (const char* vendor : {"SOFTWARE\\The Document Foundation\\LibreOffice", "SOFTWARE\\Qelm\\LibreOffice",
                             "SOFTWARE\\Collabora\\Collabora Office",
                             "SOFTWARE\\allotropia software GmbH\\ZetaOffice"}) {
    SCOPED_TRACE(vendor);
    m.delete_key(HKLM, "SOFTWARE\\The Document Foundation");
    m.delete_key(HKLM, "SOFTWARE\\Qelm");
    m.delete_key(HKLM, "SOFTWARE\\Collabora");
    m.delete_key(HKLM, "SOFTWARE\\allotropia software GmbH");
    world::add_vendor_location(m, vendor, "1.0", kFolder);
    EXPECT_EQ(RECH_INSTALLATION().SCHEMOPEN, "c:\\program files\\libreoffice\\");
  }
}

TEST_F(InstallationLookupTest, OnlyTheFirstVendorKeyThatExistsIsSearched) {
  m.add_key(HKLM, world::kTdfVendor + "\\7.6");  // no upgrade-code subkey
  world::add_vendor_location(m, "SOFTWARE\\Collabora\\Collabora Office", "24.04", kFolder);
  const Installation found = RECH_INSTALLATION();
  EXPECT_EQ(found.SCHEMOPEN, "");
  EXPECT_EQ(found.SVERSOOO, "");
  EXPECT_EQ(found.SPRODUCTCODE, "");
  EXPECT_EQ(m.call_count(sim::Call::ReadFile), 0);
}

TEST_F(InstallationLookupTest, TheVersionEnumeratedLastDecidesEvenWithoutTheValue) {
  world::add_vendor_location(m, world::kTdfVendor, "7.5", "C:\\Old\\");
  world::add_vendor_location(m, world::kTdfVendor, "7.6", kFolder);
  EXPECT_EQ(CHERCHE_LIBREOFFICE("\\" + world::kTdfVendor + "\\", "INSTALLLOCATION", world::kUpgradeCode),
            kFolder);
  m.add_key(HKLM, world::kTdfVendor + "\\7.7\\" + world::kUpgradeCode);
  EXPECT_EQ(CHERCHE_LIBREOFFICE("\\" + world::kTdfVendor + "\\", "INSTALLLOCATION", world::kUpgradeCode), "");
}

TEST_F(InstallationLookupTest, TheUpgradeCodeMatchesExactly) {
  m.set_string(HKLM, world::kTdfVendor + "\\7.6\\{4b17e523-5d91-4e69-bd96-7fd81cfa81bb}",
               "INSTALLLOCATION", kFolder);
  EXPECT_EQ(RECH_INSTALLATION().SCHEMOPEN, "");
}

TEST_F(InstallationLookupTest, UnreadableVersionKeysAreSkipped) {
  world::add_vendor_location(m, world::kTdfVendor, "7.5", kFolder);
  world::add_vendor_location(m, world::kTdfVendor, "7.6", "C:\\Other\\");
  m.find_key(HKLM, world::kTdfVendor + "\\7.6")->open_denied = true;
  EXPECT_EQ(RECH_INSTALLATION().SCHEMOPEN, "c:\\program files\\libreoffice\\");
}

TEST_F(InstallationLookupTest, TheBootstrapFileIsReadUnderTheLowerCasedFolder) {
  world::add_vendor_location(m, world::kTdfVendor, "7.6", "C:\\SUITE\\");
  world::add_bootstrap(m, "C:\\suite\\", "LibreOffice 7.6");
  m.record_calls = true;
  EXPECT_EQ(RECH_INSTALLATION().SVERSOOO, "LibreOffice 7.6");
  std::vector<std::string> read;
  for (const auto& [call, target] : m.call_log)
    if (call == sim::Call::ReadFile) read.push_back(target);
  EXPECT_EQ(read, std::vector<std::string>{"c:\\suite\\PROGRAM\\bootstrap.ini"});
}

TEST_F(InstallationLookupTest, TheProductCodeIsTheSuitesOwnWhateverTheOrderOfTheRecords) {
  // Records named after the product key: a help pack and an SDK around the suite's.
  const std::string early_help = "{0A000000-0000-4000-8000-000000000001}";
  const std::string late_sdk = "{FA000000-0000-4000-8000-000000000002}";
  const std::string unrelated = "{11111111-2222-3333-4444-555555555555}";
  const std::string list = "SOFTWARE\\Classes\\Installer\\UpgradeCodes\\325E71B419D596E4DB69F78DC1AF18BB";
  struct Row {
    const char* name;
    std::function<void(sim::Machine&)> installer_list;  // what the installer lists under the upgrade code
    bool help_first;  // the help pack's record enumerates before the suite's
    std::string expected;
  };
  const auto listing = [&](std::vector<std::string> packed) {
    return [&list, packed](sim::Machine& machine) {
      machine.add_key(HKLM, list);
      for (const auto& code : packed) machine.set_string(HKLM, list, code, "");
    };
  };
  const Row rows[] = {
      {"the suite's record first and listed", listing({sim::packed_code(world::kProductCode)}), false,
       world::kProductCode},
      {"a help pack first, the suite listed", listing({sim::packed_code(world::kProductCode)}), true,
       world::kProductCode},
      {"listed in small letters", listing({"e3b5c1a64321d2c4e9f8a0b1c2d3e4f5"}), true,
       world::kProductCode},
      {"the help pack listed too: the first record decides",
       listing({sim::packed_code(early_help), sim::packed_code(world::kProductCode)}), true, early_help},
      {"no list: the first record", [](sim::Machine&) {}, true, early_help},
      {"an empty list: the first record", listing({}), true, early_help},
      // The list says the records named after the product key are none of the suite's.
      {"a list naming none of them: none", listing({sim::packed_code(unrelated)}), true, ""},
      {"the suite's record unreadable: none",
       [&](sim::Machine& machine) {
         listing({sim::packed_code(world::kProductCode)})(machine);
         machine.find_key(HKLM, world::kUninstallKey + world::kProductCode)->open_denied = true;
       },
       true, ""},
      {"a list that cannot be opened",
       [&](sim::Machine& machine) {
         listing({sim::packed_code(world::kProductCode)})(machine);
         machine.find_key(HKLM, list)->open_denied = true;
       },
       true, early_help},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::reset();
    SetUp();
    world::add_vendor_location(m, world::kTdfVendor, "7.6", kFolder);
    world::add_package_record(m, late_sdk, world::kProductKey + " SDK");
    if (row.help_first) world::add_package_record(m, early_help, world::kProductKey + " Help Pack (French)");
    row.installer_list(m);
    EXPECT_EQ(RECH_INSTALLATION().SPRODUCTCODE, row.expected);
    EXPECT_EQ(m.open_handles(), 0);
  }
}

TEST_F(InstallationLookupTest, AnotherSwitchThanInstallGivesNoProductCode) {
  world::add_vendor_location(m, world::kTdfVendor, "7.6", kFolder);
  m.set_string(HKLM, world::kUninstallKey + world::kProductCode, "UninstallString",
               "MsiExec.exe /X" + world::kProductCode);
  const Installation found = RECH_INSTALLATION();
  EXPECT_EQ(found.SVERSOOO, world::kProductKey);
  EXPECT_EQ(found.SPRODUCTCODE, "");
}

TEST_F(InstallationLookupTest, WithoutBootstrapFileTheRecordSearchStillRuns) {
  world::add_vendor_location(m, world::kTdfVendor, "7.6", "C:\\Elsewhere\\");
  const Installation found = RECH_INSTALLATION();
  EXPECT_EQ(found.SVERSOOO, "");
  // The empty product key matches the first record with a display name.
  EXPECT_EQ(found.SPRODUCTCODE, world::kProductCode);
}

TEST_F(InstallationLookupTest, AFolderValueOfAnotherTypeRaises) {
  m.set_dword(HKLM, world::kTdfVendor + "\\7.6\\" + world::kUpgradeCode, "INSTALLLOCATION", 3);
  EXPECT_THROW(RECH_INSTALLATION(), ERegistryException);
  EXPECT_EQ(m.open_handles(), 0);
}

}  // namespace
