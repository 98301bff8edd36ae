#include <gmock/gmock.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

#include "platform/sim/installer_tool.h"
#include "removal/uninstall_stage.h"
#include "run/run_sequence.h"
#include "sim_test.h"
#include "suite_world.h"

namespace {

using world::kHelpCode;
using world::kProductCode;
using world::kProductKey;

const std::string kTool = "C:\\Windows\\system32\\Msiexec.exe";

struct Launch {
  std::string file;
  std::optional<std::string> parameters;
  bool operator==(const Launch&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Launch& launch) {
  return out << launch.file << " | " << launch.parameters.value_or("<null>");
}

class UninstallStageTest : public SimTest {
 protected:
  void SetUp() override {
    world::add_package_record(m, kProductCode, world::kDisplayName);
    sim::Product suite;
    suite.code = kProductCode;
    m.add_product(suite);
  }
  std::vector<Launch> launches() const {
    std::vector<Launch> result;
    for (const auto& launch : m.launches) result.push_back({launch.file, launch.parameters});
    return result;
  }
  int stage() { return SUPP_LIBREOFFICE(world::kFolder, kProductKey, kProductCode); }
  void help_record(const std::optional<std::string>& uninstall) {
    m.add_uninstall_record(kHelpCode, kProductKey + " Help Pack (French)", uninstall);
    sim::Product help;
    help.code = kHelpCode;
    m.add_product(help);
  }
  // A fresh machine with something of every kind the stage would change: a running
  // soffice.bin, the help pack, a shortcut and the installation folder.
  void fresh_machine_the_stage_would_change() {
    sim::reset();
    SetUp();
    SPARAM = "/quiet /norestart";
    m.add_process("soffice.bin");
    help_record("MsiExec.exe /I" + kHelpCode);
    m.add_file(world::kDesktop + "\\LibreOffice Writer.lnk");
    m.add_file(world::kFolder + "program\\soffice.bin");
  }
  // Nothing launched, ended, deleted or left open since `files` and `registry` were taken.
  void expect_untouched(const std::vector<std::string>& files,
                        const std::vector<std::string>& registry) const {
    EXPECT_TRUE(m.launches.empty());
    EXPECT_EQ(m.running_process_names(), std::vector<std::string>{"soffice.bin"});
    EXPECT_EQ(m.file_lines(), files);
    EXPECT_EQ(m.registry_lines(), registry);
    EXPECT_TRUE(m.recycle_bin.empty());
    EXPECT_EQ(m.open_handles(), 0);
  }
};

TEST_F(UninstallStageTest, TheExactSequenceOfLaunches) {
  struct Row {
    const char* name;
    const char* sparam;
    bool addons;
    std::optional<std::string> help;  // nullopt: no help pack; "-": recorded without a command
    std::vector<Launch> expected;     // the programs that started, in order
    int status = 0;
  };
  const std::string quiet = "/quiet /norestart";
  const std::string passive = "/passive /norestart";
  const Row rows[] = {
      {"quiet, nothing else", "/quiet /norestart", false, std::nullopt,
       {{kTool, quiet + " /x" + kProductCode}}},
      {"passive, nothing else", "/passive /norestart", false, std::nullopt,
       {{kTool, passive + " /x" + kProductCode}}},
      {"add-ons with their own commands", "/quiet /norestart", true, std::nullopt,
       {{"C:\\Ext\\unins000.exe", " /verysilent"}, {kTool, quiet + " /x" + kProductCode}}},
      {"help pack by its installer command", "/quiet /norestart", false,
       "MsiExec.exe /I" + kHelpCode,
       {{kTool, quiet + " /x" + kHelpCode}, {kTool, quiet + " /x" + kProductCode}}},
      {"help pack command in small letters", "/passive /norestart", false,
       "msiexec.exe /i" + kHelpCode + " /i",
       {{kTool, passive + " /x" + kHelpCode + " " + passive + " /x"},
        {kTool, passive + " /x" + kProductCode}}},
      {"help pack by its key name", "/passive /norestart", false, "-",
       {{kTool, passive + " /x" + kHelpCode}, {kTool, passive + " /x" + kProductCode}}},
      // Neither command would carry the run's options: the key name serves instead.
      {"help pack command without a blank", "/quiet /norestart", false, "MsiExec.exe",
       {{kTool, quiet + " /x" + kHelpCode}, {kTool, quiet + " /x" + kProductCode}}},
      {"help pack command with /X", "/quiet /norestart", false, "MsiExec.exe /X" + kHelpCode,
       {{kTool, quiet + " /x" + kHelpCode}, {kTool, quiet + " /x" + kProductCode}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::reset();
    SetUp();
    SPARAM = row.sparam;
    if (row.addons) {
      m.add_uninstall_record("Ext", "LibreOffice Extension Pack", "\"C:\\Ext\\unins000.exe\"");
      m.add_program("C:\\Ext\\unins000.exe", {});
      // A command with switches is handed over whole as the file name: it cannot start.
      m.add_uninstall_record("Collabora Ext", "Collabora Extension", "\"C:\\Collabora Ext\\uninstall.exe\" /S");
    }
    if (row.help) help_record(*row.help == "-" ? std::nullopt : row.help);
    EXPECT_EQ(stage(), row.status);
    EXPECT_EQ(launches(), row.expected);
    // The Collabora add-on's command cannot start; the stage goes on all the same.
    EXPECT_EQ(m.call_count(sim::Call::ShellExecute), static_cast<int>(row.expected.size()) + (row.addons ? 1 : 0));
    for (const auto& launch : m.launches) {
      EXPECT_EQ(launch.show, 1);
      EXPECT_EQ(launch.verb, std::nullopt);
      EXPECT_EQ(launch.directory, std::nullopt);
    }
  }
}

TEST_F(UninstallStageTest, TheInstallerToolNeverStartsWithoutTheRunsOptions) {
  const std::string other_code = "{11111111-2222-3333-4444-555555555555}";
  struct Row {
    const char* name;
    std::optional<std::string> recorded;  // the help pack's UninstallString; nullopt: none
    // The tool's parameters after the run's options; the key name when no "/i" is there.
    std::string after_options;
  };
  const Row rows[] = {
      {"the usual /I", "MsiExec.exe /I" + kHelpCode, " /x" + kHelpCode},
      {"/i in small letters", "MsiExec.exe /i" + kHelpCode, " /x" + kHelpCode},
      {"/X: the key name", "MsiExec.exe /X" + kHelpCode, " /x" + kHelpCode},
      {"/X of another code: still the key name", "MsiExec.exe /X" + other_code, " /x" + kHelpCode},
      {"no blank", "MsiExec.exe", " /x" + kHelpCode},
      {"a blank and nothing after it", "MsiExec.exe ", " /x" + kHelpCode},
      {"no uninstall command", std::nullopt, " /x" + kHelpCode},
  };
  for (const char* sparam : {"/quiet /norestart", "/passive /norestart"}) {
    for (const auto& row : rows) {
      SCOPED_TRACE(std::string(row.name) + ", " + sparam);
      sim::reset();
      SetUp();
      SPARAM = sparam;
      help_record(row.recorded);
      EXPECT_EQ(stage(), 0);
      ASSERT_EQ(m.launches.size(), 2u);
      EXPECT_EQ(m.launches[0].file, kTool);
      EXPECT_EQ(m.launches[0].parameters, sparam + row.after_options);
      EXPECT_EQ(m.launches[1].parameters, sparam + (" /x" + kProductCode));
      EXPECT_FALSE(m.key_exists(HKLM, world::kUninstallKey + kHelpCode));
    }
  }
}

TEST_F(UninstallStageTest, EndsEverySofficeProcessFirst) {
  m.add_process("soffice.bin");
  m.add_process("SOFFICE.BIN");
  m.add_process("soffice.exe");
  m.add_process("explorer.exe");
  SPARAM = "/quiet /norestart";
  EXPECT_EQ(stage(), 0);
  EXPECT_EQ(m.running_process_names(), (std::vector<std::string>{"soffice.exe", "explorer.exe"}));
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(UninstallStageTest, ARecordAlreadyGoneEndsTheStageAtOnce) {
  m.delete_key(HKLM, world::kUninstallKey + kProductCode);
  m.add_process("soffice.bin");
  help_record("MsiExec.exe /I" + kHelpCode);
  m.add_file(world::kDesktop + "\\LibreOffice Writer.lnk");
  const auto files = m.file_lines();
  EXPECT_EQ(stage(), 0);
  EXPECT_TRUE(m.launches.empty());
  EXPECT_EQ(m.running_process_names(), std::vector<std::string>{"soffice.bin"});
  EXPECT_EQ(m.file_lines(), files);
}

TEST_F(UninstallStageTest, OnlyARecordThatDoesNotExistCountsAsGoneAtTheStart) {
  struct Row {
    const char* name;
    std::uint32_t open_error;  // every open of the record fails with it
    int expected;
  };
  const Row rows[] = {
      {"not found: gone", platform::kErrorFileNotFound, 0},
      {"access denied: may be installed", platform::kErrorAccessDenied, 1603},
      {"low memory", platform::kErrorNotEnoughMemory, 1603},
      {"marked for deletion", 1018, 1603},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    fresh_machine_the_stage_would_change();
    const auto files = m.file_lines();
    const auto registry = m.registry_lines();
    m.fail(sim::Call::RegOpenKey, row.open_error, 1, true, "HKLM\\" + world::kUninstallKey + kProductCode);
    EXPECT_EQ(stage(), row.expected);
    EXPECT_GE(m.faults_injected(), 1);
    expect_untouched(files, registry);
  }
}

TEST_F(UninstallStageTest, AnotherInstallationInProgressStopsTheStageBeforeItTouchesAnything) {
  struct Row {
    const char* name;
    bool mutex_held;
    std::optional<std::uint32_t> open_error;  // the mutex's open fails with it
  };
  const Row rows[] = {
      {"the installer holds its mutex", true, std::nullopt},
      {"the mutex may not be opened", false, platform::kErrorAccessDenied},
      {"held, and may not be opened", true, platform::kErrorAccessDenied},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    fresh_machine_the_stage_would_change();
    m.add_uninstall_record("Ext", "LibreOffice Extension Pack", "\"C:\\Ext\\unins000.exe\"");
    m.add_program("C:\\Ext\\unins000.exe", {});
    if (row.mutex_held) m.add_mutex("Global\\_MSIExecute");
    if (row.open_error) m.fail(sim::Call::OpenMutex, *row.open_error, 1, true);
    const auto files = m.file_lines();
    const auto registry = m.registry_lines();

    EXPECT_EQ(stage(), 1618);
    EXPECT_EQ(m.call_count(sim::Call::OpenMutex), 1);
    EXPECT_EQ(m.call_count(sim::Call::CreateSnapshot), 0);
    EXPECT_EQ(m.call_count(sim::Call::ShellExecute), 0);
    expect_untouched(files, registry);
  }
}

TEST_F(UninstallStageTest, ASurvivingRecordMeansNoCleanupAndTheInstallersStatus) {
  struct Row {
    const char* name;
    std::uint32_t removal_exit_code;
    bool override_with_success_and_no_effect;
    bool installer_missing;
    int expected;
  };
  const Row rows[] = {
      {"removal cancelled", 1602, false, false, 1602},
      {"fatal error", 1603, false, false, 1603},
      {"another installation running", 1618, false, false, 1618},
      {"exit 0 but the record stays", 0, true, false, 1603},
      {"installer cannot start", 0, false, true, 1603},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::reset();
    SetUp();
    SPARAM = "/quiet /norestart";
    m.products[0].removal_exit_code = row.removal_exit_code;
    if (row.override_with_success_and_no_effect) m.add_program(kTool, {});
    if (row.installer_missing) {
      sim::Program refused;
      refused.starts = false;
      m.add_program(kTool, refused);
    }
    m.add_file(world::kDesktop + "\\LibreOffice Writer.lnk");
    m.add_file(world::kFolder + "program\\soffice.bin");
    EXPECT_EQ(stage(), row.expected);
    EXPECT_TRUE(m.key_exists(HKLM, world::kUninstallKey + kProductCode));
    EXPECT_TRUE(m.file_exists(world::kDesktop + "\\LibreOffice Writer.lnk"));
    EXPECT_TRUE(m.folder_exists(world::kFolder));
    EXPECT_TRUE(m.recycle_bin.empty());
  }
}

TEST_F(UninstallStageTest, OnlyARemovalIsASuccessAndARestartIsPassedOn) {
  struct Row {
    std::uint32_t installer_status;
    int when_gone;  // the run's status when the installer took the record away
    int when_kept;  // and when the record is still there afterwards
  };
  const Row rows[] = {
      {0, 0, 1603},  {3010, 3010, 1603}, {1641, 1641, 1603},
      {1602, 0, 1602}, {1603, 0, 1603},  {1618, 0, 1618},
  };
  for (const auto& row : rows) {
    for (const bool gone : {true, false}) {
      SCOPED_TRACE(std::to_string(row.installer_status) + (gone ? ", record gone" : ", record kept"));
      sim::reset();
      SetUp();
      SPARAM = "/quiet /norestart";
      sim::Program installer;
      installer.exit_code = row.installer_status;
      if (gone)
        installer.effect = [](sim::Machine& machine, const sim::LaunchRecord&) {
          machine.delete_key(HKLM, world::kUninstallKey + kProductCode);
        };
      m.add_program(kTool, installer);
      const std::string shortcut = world::kDesktop + "\\LibreOffice Writer.lnk";
      m.add_file(shortcut);
      m.add_file(world::kFolder + "program\\soffice.bin");

      EXPECT_EQ(stage(), gone ? row.when_gone : row.when_kept);
      ASSERT_EQ(m.launches.size(), 1u);
      // The cleanup ran exactly when the record went.
      EXPECT_EQ(m.file_exists(shortcut), !gone);
      EXPECT_EQ(m.folder_exists(world::kFolder), !gone);
      EXPECT_EQ(m.recycle_bin.empty(), !gone);
    }
  }
}

// The suite listed under its upgrade code with its French help pack, the family's other
// packages, another publisher's package named alike, and the suite's folder.
sim::Product& product(sim::Machine& machine, const std::string& code) {
  for (auto& p : machine.products)
    if (p.code == code) return p;
  throw std::logic_error("no product " + code);
}

class FamilyStageTest : public SimTest {
 protected:
  void SetUp() override {
    SPARAM = "/quiet /norestart";
    world::add_vendor_location(m, world::kTdfVendor, "7.6.4.1", world::kFolder);
    world::add_package_record(m, kProductCode, world::kDisplayName);
    sim::Product suite;
    suite.code = kProductCode;
    suite.upgrade_code = world::kUpgradeCode;
    suite.keys = {{HKLM, world::kTdfVendor + "\\7.6.4.1"}};
    suite.files = {world::kFolder + "program\\soffice.bin"};
    m.add_file(world::kFolder + "program\\soffice.bin", "MZ");
    m.add_product(suite);
    world::add_package_record(m, kHelpCode, kProductKey + " Help Pack (French)");
    sim::Product help;
    help.code = kHelpCode;
    help.upgrade_code = world::kHelpUpgradeCode;
    m.add_product(help);
    world::add_family(m);
    world::add_other_publisher_package(m);
    m.add_file(world::kDesktop + "\\LibreOffice Writer.lnk");
  }
  std::vector<std::string> removed_codes() const {
    std::vector<std::string> codes;
    for (const auto& launch : m.launches) {
      const std::string& parameters = launch.parameters.value_or("");
      const auto at = parameters.find(" /x");
      codes.push_back(at == std::string::npos ? parameters : parameters.substr(at + 3));
    }
    return codes;
  }
  bool cleaned_up() { return !m.folder_exists(world::kFolder) && !m.file_exists(world::kDesktop + "\\LibreOffice Writer.lnk"); }
  int stage() { return SUPP_LIBREOFFICE(world::kFolder, kProductKey, kProductCode); }
};

TEST_F(FamilyStageTest, EveryPackageOfTheFamilyGoesBetweenTheFrenchHelpPackAndTheSuite) {
  using world::kGermanHelpCode;
  using world::kSdkCode;
  using world::kSpanishHelpCode;
  struct Row {
    const char* name;
    std::function<void(sim::Machine&)> change;
    std::vector<std::string> removed;  // the codes the installer tool was given, in order
    int status;
    std::vector<std::string> left;     // the family's records still there afterwards
  };
  const std::vector<std::string> everything = {kHelpCode, kGermanHelpCode, kSpanishHelpCode, kSdkCode,
                                               kProductCode};
  const Row rows[] = {
      {"the whole family", [](sim::Machine&) {}, everything, 0, {}},
      {"a help pack's removal fails",
       [](sim::Machine& machine) { product(machine, kSpanishHelpCode).removal_exit_code = 1603; }, everything, 1603,
       {kSpanishHelpCode}},
      {"the French help pack's removal fails: it is not tried again",
       [](sim::Machine& machine) { product(machine, kHelpCode).removal_exit_code = 1603; }, everything, 1603,
       {kHelpCode}},
      {"the installer answers 0 and leaves the SDK",
       [](sim::Machine& machine) {
         sim::Program tool;
         tool.effect = [](sim::Machine& target, const sim::LaunchRecord& launch) {
           if (launch.parameters->find(kSdkCode) == std::string::npos)
             sim::run_installer_tool(target, *launch.parameters);
         };
         machine.add_program(kTool, tool);
       },
       everything, 1603, {kSdkCode}},
      // Nothing tells the family from other publishers' packages: none is removed, and
      // each holds the folder.
      {"the suite's record names no publisher",
       [](sim::Machine& machine) {
         auto& values = machine.find_key(HKLM, world::kUninstallKey + kProductCode)->values;
         values.erase(std::remove_if(values.begin(), values.end(),
                                     [](const sim::RegValue& value) { return value.name == u"Publisher"; }),
                      values.end());
       },
       {kHelpCode, kProductCode}, 1603, {kGermanHelpCode, kSpanishHelpCode, kSdkCode}},
      {"the suite's record named like the family: removed once, last",
       [](sim::Machine& machine) {
         machine.set_string(HKLM, world::kUninstallKey + kProductCode, "DisplayName", kProductKey + " Suite");
       },
       everything, 0, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::reset();
    SetUp();
    row.change(m);
    EXPECT_EQ(stage(), row.status);
    EXPECT_EQ(removed_codes(), row.removed);
    std::vector<std::string> left;
    for (const auto& member : world::family())
      if (m.key_exists(HKLM, world::kUninstallKey + member.code)) left.push_back(member.code);
    if (m.key_exists(HKLM, world::kUninstallKey + kHelpCode)) left.push_back(kHelpCode);
    EXPECT_THAT(left, ::testing::UnorderedElementsAreArray(row.left));
    EXPECT_EQ(cleaned_up(), row.status == 0);
    EXPECT_EQ(m.folder_exists(world::kFolder), row.status != 0);
    // Another publisher's package named after the product key is never touched.
    EXPECT_TRUE(m.key_exists(HKLM, world::kUninstallKey + world::kOtherPublisherCode));
    EXPECT_TRUE(m.file_exists("C:\\Program Files\\Companion Tools\\companion.exe"));
    EXPECT_EQ(m.open_handles(), 0);
  }
}

TEST_F(FamilyStageTest, OnlyARegisteredPackageHoldsTheFolder) {
  const std::string older = "{5A2B3C4D-7500-4000-8000-000000000075}";
  struct Row {
    const char* name;
    std::function<void(sim::Machine&)> change;
    int status;
  };
  const Row rows[] = {
      {"an older version's vendor entry, its package gone",
       [](sim::Machine& machine) { world::add_stale_vendor_entry(machine); }, 0},
      {"an older version still installed",
       [&](sim::Machine& machine) {
         world::add_vendor_location(machine, world::kTdfVendor, "7.5.9.2", world::kFolder);
         world::add_package_record(machine, older, "LibreOffice 7.5.9.2");
         sim::Product installed;
         installed.code = older;
         installed.upgrade_code = world::kUpgradeCode;
         machine.add_product(installed);
       },
       1603},
      // Without the installer's list of the suite's products nothing tells whether a
      // package still backs an entry under the vendor key: it holds the folder then.
      {"no list, an older version's vendor entry",
       [](sim::Machine& machine) {
         world::add_stale_vendor_entry(machine);
         machine.delete_key(HKLM, "SOFTWARE\\Classes\\Installer");
         product(machine, kProductCode).upgrade_code.clear();
       },
       1603},
      {"no list, the suite's own entry taken away with it",
       [](sim::Machine& machine) {
         machine.delete_key(HKLM, "SOFTWARE\\Classes\\Installer");
         product(machine, kProductCode).upgrade_code.clear();
       },
       0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::reset();
    SetUp();
    row.change(m);
    EXPECT_EQ(stage(), row.status);
    EXPECT_FALSE(m.key_exists(HKLM, world::kUninstallKey + kProductCode));
    EXPECT_EQ(cleaned_up(), row.status == 0);
    EXPECT_EQ(m.open_handles(), 0);
  }
}

TEST_F(UninstallStageTest, AddOnsAreRemovedOnlyWhenRecorded) {
  SPARAM = "/passive /norestart";
  m.add_uninstall_record("Unrelated", "Another Extension", "\"C:\\Other\\unins.exe\"");
  EXPECT_EQ(stage(), 0);
  EXPECT_EQ(launches(), (std::vector<Launch>{{kTool, "/passive /norestart /x" + kProductCode}}));
}

TEST(AddOnRemoval, FalseOnlyWhenTheLaunchFails) {
  sim::Machine& m = sim::reset();
  EXPECT_TRUE(SUPP_APPLICATION("LibreOffice Extension", " /verysilent"));  // nothing recorded
  m.add_uninstall_record("Ext", "LibreOffice Extension", "\"C:\\Ext\\missing.exe\"");
  EXPECT_FALSE(SUPP_APPLICATION("LibreOffice Extension", " /verysilent"));
  m.add_program("C:\\Ext\\missing.exe", {});
  EXPECT_TRUE(SUPP_APPLICATION("LibreOffice Extension", " /verysilent"));
}

}  // namespace
