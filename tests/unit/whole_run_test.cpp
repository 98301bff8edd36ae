// Whole runs of the program on simulated machines, start to end.
#include <gmock/gmock.h>

#include <algorithm>
#include <set>

#include "platform/sim/installer_tool.h"
#include "records/installation_lookup.h"
#include "run/run_sequence.h"
#include "run_audit.h"
#include "sim_test.h"
#include "suite_world.h"

namespace {

using ::testing::UnorderedElementsAreArray;
using world::kDesktop;
using world::kFolder;
using world::kProductKey;
using world::kPrograms;

std::vector<std::string> minus(const std::vector<std::string>& before, const std::vector<std::string>& after) {
  const std::set<std::string> kept(after.begin(), after.end());
  std::vector<std::string> gone;
  for (const auto& line : before)
    if (!kept.count(line)) gone.push_back(line);
  return gone;
}

bool starts_with(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

class WholeRunTest : public SimTest {
 protected:
  void SetUp() override { world::typical_machine(m); }
};

TEST_F(WholeRunTest, TheTypicalRoadRemovesExactlyTheSuite) {
  const auto registry_before = m.registry_lines();
  const auto files_before = m.file_lines();

  EXPECT_EQ(quorvalis_main({"/quiet"}), 0);

  // Registry: the package's keys, its record, the help pack's and the add-on's records,
  // and the two packages' entries under their upgrade codes.
  for (const auto& line : minus(registry_before, m.registry_lines())) {
    SCOPED_TRACE(line);
    EXPECT_TRUE(starts_with(line, "HKLM\\SOFTWARE\\The Document Foundation") ||
                starts_with(line, "HKLM\\" + sim::upgrade_code_key(world::kUpgradeCode)) ||
                starts_with(line, "HKLM\\" + sim::upgrade_code_key(world::kHelpUpgradeCode)) ||
                starts_with(line, "HKLM\\SOFTWARE\\Classes\\com.sun.star.ServiceManager.1") ||
                starts_with(line, "HKLM\\SOFTWARE\\Classes\\AppID\\{82154420") ||
                starts_with(line, "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + world::kProductCode) ||
                starts_with(line, "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + world::kHelpCode) ||
                starts_with(line, "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ExtensionPack"));
  }
  EXPECT_TRUE(minus(m.registry_lines(), registry_before).empty());
  EXPECT_FALSE(m.key_exists(HKLM, world::kUninstallKey + world::kProductCode));
  EXPECT_FALSE(m.key_exists(HKLM, world::kUninstallKey + world::kHelpCode));
  EXPECT_FALSE(m.key_exists(HKLM, world::kUninstallKey + "ExtensionPack"));
  EXPECT_FALSE(m.key_exists(HKLM, sim::upgrade_code_key(world::kUpgradeCode)));

  // Files: the shortcuts and the two folders, nothing else.
  std::vector<std::string> expected_gone;
  for (const auto& line : files_before) {
    const std::string lower = [&] { std::string s = line; std::transform(s.begin(), s.end(), s.begin(), ::tolower); return s; }();
    if (starts_with(lower, "c:\\program files\\libreoffice\\") ||
        starts_with(line, kPrograms + "\\" + kProductKey + "\\") ||
        (starts_with(line, kDesktop + "\\") && line.find("Other Vendor") == std::string::npos &&
         line != kDesktop + "\\"))
      expected_gone.push_back(line);
  }
  EXPECT_THAT(minus(files_before, m.file_lines()), UnorderedElementsAreArray(expected_gone));
  EXPECT_TRUE(minus(m.file_lines(), files_before).empty());
  EXPECT_THAT(recycled_roots(m), UnorderedElementsAreArray({std::string("c:\\program files\\libreoffice"),
                                                            kPrograms + "\\" + kProductKey}));
  EXPECT_THAT(recycled_files(m),
              UnorderedElementsAreArray({std::string("c:\\program files\\libreoffice\\share\\extensions\\user-cache.dat"),
                                         kPrograms + "\\" + kProductKey + "\\LibreOffice Writer.lnk"}));

  // Processes: both soffice.bin ended, nothing else.
  EXPECT_EQ(m.running_process_names(), std::vector<std::string>{"explorer.exe"});
  // Programs: the add-on's uninstaller, the help pack, then the suite, in that order.
  ASSERT_EQ(m.launches.size(), 3u);
  EXPECT_EQ(m.launches[0].file, "C:\\Program Files\\Extension\\unins000.exe");
  EXPECT_EQ(m.launches[0].parameters, " /verysilent");
  EXPECT_EQ(m.launches[1].parameters, "/quiet /norestart /x" + world::kHelpCode);
  EXPECT_EQ(m.launches[2].parameters, "/quiet /norestart /x" + world::kProductCode);
  EXPECT_EQ(m.open_handles(), 0);
  EXPECT_TRUE(m.message_boxes.empty());
}

TEST_F(WholeRunTest, WithoutArgumentTheSameRemovalRunsPassive) {
  EXPECT_EQ(quorvalis_main({}), 0);
  ASSERT_EQ(m.launches.size(), 3u);
  EXPECT_EQ(m.launches[2].parameters, "/passive /norestart /x" + world::kProductCode);
  EXPECT_FALSE(m.folder_exists(kFolder));
}

TEST_F(WholeRunTest, AFailedRemovalKeepsEverythingAndReportsTheInstallersStatus) {
  for (auto& product : m.products)
    if (product.code == world::kProductCode) product.removal_exit_code = 1603;
  EXPECT_EQ(quorvalis_main({"/quiet"}), 1603);
  EXPECT_TRUE(m.key_exists(HKLM, world::kUninstallKey + world::kProductCode));
  EXPECT_TRUE(m.folder_exists(kFolder));
  EXPECT_TRUE(m.file_exists(kDesktop + "\\LibreOffice Writer.lnk"));
  EXPECT_TRUE(m.recycle_bin.empty());
}

TEST_F(WholeRunTest, AHelpPackEnumeratedFirstIsNeverTakenForTheSuiteTheInstallerLists) {
  // A help pack whose record enumerates before the suite's is what the record search
  // finds first for the product key. The installer's list of the suite's products tells
  // them apart; without that list, the help pack is taken for the suite, and the suite's
  // folders stay until a second run finds the suite itself.
  struct Row {
    const char* name;
    bool upgrade_codes;  // the installer's UpgradeCodes key is there
    int first_status;
  };
  const Row rows[] = {{"the suite's upgrade code lists its product", true, 0},
                      {"no upgrade codes", false, 1603}};
  const std::string early_help = "{0A000000-0000-0000-0000-000000000000}";
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::reset();
    world::typical_machine(m);
    m.delete_key(HKLM, world::kUninstallKey + world::kHelpCode);
    world::add_package_record(m, early_help, kProductKey + " Help Pack (French)");
    sim::Product help;
    help.code = early_help;
    m.add_product(help);
    if (!row.upgrade_codes) m.delete_key(HKLM, "SOFTWARE\\Classes\\Installer");

    EXPECT_EQ(quorvalis_main({"/quiet"}), row.first_status);
    EXPECT_FALSE(m.key_exists(HKLM, world::kUninstallKey + early_help));
    EXPECT_EQ(m.key_exists(HKLM, world::kUninstallKey + world::kProductCode), !row.upgrade_codes);
    EXPECT_EQ(m.file_exists(kFolder + "program\\soffice.bin"), !row.upgrade_codes);
    EXPECT_EQ(m.file_exists(kDesktop + "\\LibreOffice Writer.lnk"), !row.upgrade_codes);
    EXPECT_EQ(m.recycle_bin.empty(), !row.upgrade_codes);
    // The help pack is removed once, the suite once.
    std::vector<std::string> parameters;
    for (const auto& launch : m.launches)
      if (launch.parameters) parameters.push_back(*launch.parameters);
    if (row.upgrade_codes) {
      EXPECT_EQ(parameters, (std::vector<std::string>{" /verysilent", "/quiet /norestart /x" + early_help,
                                                      "/quiet /norestart /x" + world::kProductCode}));
    }

    // Either way the next run finds nothing left of the suite, or the suite itself.
    EXPECT_EQ(quorvalis_main({"/quiet"}), 0);
    EXPECT_FALSE(m.key_exists(HKLM, world::kUninstallKey + world::kProductCode));
    EXPECT_FALSE(m.folder_exists(kFolder));
  }
}

TEST_F(WholeRunTest, TheSuitesWholeFamilyGoesAndItsFolderWithIt) {
  struct Row {
    const char* name;
    bool family, other_publisher, stale_entry, help_first;
    bool wow64;  // a 32-bit suite on 64-bit Windows, found by the second pass
  };
  const Row rows[] = {
      {"help packs of two more languages and the SDK", true, false, false, false, false},
      {"another publisher's package named alike, enumerated first", false, true, false, false, false},
      {"an older version's entry under the vendor key", false, false, true, false, false},
      {"the French help pack enumerated first", false, false, false, true, false},
      {"all of it", true, true, true, true, false},
      {"all of it, a 32-bit suite on 64-bit Windows", true, true, true, true, true},
  };
  const std::string early_help = "{0A000000-0000-0000-0000-000000000000}";
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::reset();
    const world::View view = row.wow64 ? world::View::Wow6432 : world::View::Native;
    m.windows_is_64_bit = m.program_is_64_bit = row.wow64;
    world::typical_machine(m, view);
    if (row.family) world::add_family(m, view);
    if (row.other_publisher) world::add_other_publisher_package(m, view);
    if (row.stale_entry) world::add_stale_vendor_entry(m, view);
    std::string french = world::kHelpCode;
    if (row.help_first) {
      // The French help pack under a code that enumerates before the suite's.
      m.delete_key(HKLM, world::hklm(world::kUninstallKey + world::kHelpCode, view));
      world::add_package_record(m, early_help, kProductKey + " Help Pack (French)", view);
      for (auto& product : m.products)
        if (product.code == world::kHelpCode) product.code = french = early_help;
    }
    audit::Allowed allowed = audit::suite_allowed(view);
    allowed.registry_keys.push_back("HKLM\\" + world::hklm(world::kUninstallKey + early_help, view));
    const audit::State before = audit::take(m);

    EXPECT_EQ(quorvalis_main({"/quiet"}), 0);

    for (const auto& change : audit::unexpected_changes(before, m, allowed)) ADD_FAILURE() << change;
    EXPECT_TRUE(audit::packages_left(m, allowed).empty());
    EXPECT_FALSE(m.key_exists(HKLM, world::hklm(world::kUninstallKey + french, view)));
    EXPECT_TRUE(audit::cleanup_complete(before, m, allowed));
    // The add-on, the French help pack, the family's other packages, then the suite.
    std::vector<std::string> expected = {" /verysilent", "/quiet /norestart /x" + french};
    if (row.family)
      for (const auto& member : world::family()) expected.push_back("/quiet /norestart /x" + member.code);
    expected.push_back("/quiet /norestart /x" + world::kProductCode);
    std::vector<std::string> parameters;
    for (const auto& launch : m.launches) parameters.push_back(launch.parameters.value_or(""));
    EXPECT_EQ(parameters, expected);
    EXPECT_EQ(m.open_handles(), 0);
  }
}

TEST_F(WholeRunTest, ARecordUnreadableAfterTheLookupEndsWith1603BeforeAnythingIsTouched) {
  // The lookup's own opens of the record succeed; every later one is refused.
  const std::string record = "HKLM\\" + world::kUninstallKey + world::kProductCode;
  m.record_calls = true;
  ASSERT_EQ(RECH_INSTALLATION().SPRODUCTCODE, world::kProductCode);
  int lookup_opens = 0;
  for (const auto& [call, target] : m.call_log)
    lookup_opens += call == sim::Call::RegOpenKey && sim::equal_ignoring_case(target, record);
  ASSERT_GE(lookup_opens, 1);

  sim::reset();
  world::typical_machine(m);
  const auto registry_before = m.registry_lines();
  const auto files_before = m.file_lines();
  m.fail(sim::Call::RegOpenKey, platform::kErrorAccessDenied, lookup_opens + 1, true, record);

  EXPECT_EQ(quorvalis_main({"/quiet"}), 1603);
  EXPECT_GE(m.faults_injected(), 1);
  EXPECT_TRUE(m.launches.empty());
  EXPECT_EQ(m.running_process_names().size(), 3u);
  EXPECT_EQ(m.registry_lines(), registry_before);
  EXPECT_EQ(m.file_lines(), files_before);
  EXPECT_TRUE(m.message_boxes.empty());
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(WholeRunTest, AnotherInstallationInProgressEndsWith1618AndLeavesTheSuiteWhole) {
  m.add_mutex("Global\\_MSIExecute");
  const auto registry_before = m.registry_lines();
  const auto files_before = m.file_lines();

  EXPECT_EQ(quorvalis_main({"/quiet"}), 1618);
  EXPECT_TRUE(m.launches.empty());
  EXPECT_EQ(m.running_process_names().size(), 3u);
  EXPECT_EQ(m.registry_lines(), registry_before);
  EXPECT_EQ(m.file_lines(), files_before);
  EXPECT_TRUE(m.recycle_bin.empty());
  EXPECT_TRUE(m.message_boxes.empty());
  EXPECT_EQ(m.open_handles(), 0);

  // Once the other installation is over, the next run removes the suite.
  m.mutexes.clear();
  EXPECT_EQ(quorvalis_main({"/quiet"}), 0);
  EXPECT_FALSE(m.key_exists(HKLM, world::kUninstallKey + world::kProductCode));
  EXPECT_FALSE(m.folder_exists(kFolder));
}

TEST_F(WholeRunTest, ALockedBootstrapFileEndsTheRunWithTheBox) {
  m.find_node(kFolder + "program\\bootstrap.ini")->locked = true;
  EXPECT_EQ(quorvalis_main({"/quiet"}), 217);
  ASSERT_EQ(m.message_boxes.size(), 1u);
  EXPECT_THAT(m.message_boxes[0].text, ::testing::HasSubstr("EFOpenError: Unable to open file \"c:\\program files\\libreoffice\\PROGRAM\\bootstrap.ini\": "));
  EXPECT_TRUE(m.launches.empty());
  EXPECT_EQ(m.running_process_names().size(), 3u);
  EXPECT_EQ(m.open_handles(), 0);
}

}  // namespace
