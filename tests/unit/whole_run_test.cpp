// Whole runs of the program on simulated machines, start to end.
#include <gmock/gmock.h>

#include <algorithm>
#include <set>

#include "records/installation_lookup.h"
#include "run/run_sequence.h"
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

  // Registry: the package's keys, its record, the help pack's and the add-on's records.
  for (const auto& line : minus(registry_before, m.registry_lines())) {
    SCOPED_TRACE(line);
    EXPECT_TRUE(starts_with(line, "HKLM\\SOFTWARE\\The Document Foundation") ||
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

TEST_F(WholeRunTest, AHelpPackTakenForTheSuiteNeverSendsTheInstalledSuiteAway) {
  // A help pack whose record enumerates before the suite's is what the record search
  // finds first for the product key.
  const std::string early_help = "{0A000000-0000-0000-0000-000000000000}";
  m.delete_key(HKLM, world::kUninstallKey + world::kHelpCode);
  world::add_package_record(m, early_help, kProductKey + " Help Pack (French)");
  sim::Product help;
  help.code = early_help;
  m.add_product(help);

  EXPECT_EQ(quorvalis_main({"/quiet"}), 1603);
  EXPECT_FALSE(m.key_exists(HKLM, world::kUninstallKey + early_help));
  EXPECT_TRUE(m.key_exists(HKLM, world::kUninstallKey + world::kProductCode));
  EXPECT_TRUE(m.file_exists(kFolder + "program\\soffice.bin"));
  EXPECT_TRUE(m.file_exists(kDesktop + "\\LibreOffice Writer.lnk"));
  EXPECT_TRUE(m.recycle_bin.empty());

  // The next run finds the suite itself and removes it.
  EXPECT_EQ(quorvalis_main({"/quiet"}), 0);
  EXPECT_FALSE(m.key_exists(HKLM, world::kUninstallKey + world::kProductCode));
  EXPECT_FALSE(m.folder_exists(kFolder));
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
