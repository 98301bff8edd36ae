#include <gmock/gmock.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fonction.h"
#include "platform/launch_calls.h"
#include "platform/registry_calls.h"
#include "sim_test.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string kUninstaller = "C:\\Program Files\\Add-on\\uninstall.exe";

class LaunchTest : public SimTest {
 protected:
  sim::Program& add_uninstaller(int waits, std::uint32_t exit_code) {
    sim::Program program;
    program.waits = waits;
    program.exit_code = exit_code;
    program.effect = [this](sim::Machine&, const sim::LaunchRecord& launch) {
      ended_with.push_back(launch.parameters.value_or("<null>"));
    };
    sim::machine().add_program(kUninstaller, program);  // the current machine, also after a reset
    return *sim::machine().find_program(kUninstaller);
  }
  std::vector<std::string> ended_with;  // the parameters of each run that reached its end
};

// (message, waits run out when it was dispatched)
std::vector<std::pair<std::uint32_t, int>> dispatched(const sim::Machine& machine) {
  std::vector<std::pair<std::uint32_t, int>> result;
  for (const auto& message : machine.dispatched)
    result.emplace_back(message.message, message.after_wait);
  return result;
}

TEST_F(LaunchTest, MissingProgramAnswersFalseWithoutWaiting) {
  std::uint32_t code = 0;
  EXPECT_FALSE(SHELLEXECANDWAIT(kUninstaller, "/S", "", 0, "", &code));
  EXPECT_EQ(code, platform::kStillActive);
  EXPECT_EQ(m.last_error, platform::kErrorFileNotFound);
  EXPECT_THAT(m.launches, IsEmpty());
  EXPECT_EQ(m.call_count(sim::Call::ShellExecute), 1);
  EXPECT_EQ(m.call_count(sim::Call::WaitForInputIdle), 0);
  EXPECT_EQ(m.call_count(sim::Call::WaitForSingleObject), 0);
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(LaunchTest, ProgramThatCannotStartAnswersFalse) {
  add_uninstaller(2, 0).starts = false;
  m.find_program(kUninstaller)->start_error = platform::kErrorAccessDenied;
  EXPECT_FALSE(SHELLEXECANDWAIT(kUninstaller, "", "", 0, ""));
  EXPECT_EQ(m.last_error, platform::kErrorAccessDenied);
  EXPECT_THAT(ended_with, IsEmpty());
  EXPECT_EQ(m.call_count(sim::Call::WaitForSingleObject), 0);
}

TEST_F(LaunchTest, WaitsForTheEndAndReadsTheExitCode) {
  struct Row {
    const char* name;
    int waits;
    std::uint32_t exit_code;
  };
  const std::vector<Row> rows = {
      {"ends at the first wait", 0, 0},
      {"nonzero exit still counts as run", 3, 1603},
      {"a long run", 50, 7},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::reset();
    add_uninstaller(row.waits, row.exit_code);
    ended_with.clear();
    std::uint32_t code = 12345;
    EXPECT_TRUE(SHELLEXECANDWAIT(kUninstaller, "/S", "", 0, "", &code));
    EXPECT_EQ(code, row.exit_code);
    EXPECT_EQ(sim::machine().waits_run_out, row.waits);
    EXPECT_EQ(sim::machine().call_count(sim::Call::WaitForSingleObject), row.waits + 1);
    EXPECT_THAT(ended_with, ElementsAre("/S"));
    EXPECT_THAT(sim::machine().running_process_names(), IsEmpty());
    EXPECT_EQ(sim::machine().open_handles(), 0);
  }
}

TEST_F(LaunchTest, EndlessWaitRunsTheProgramToItsEnd) {
  add_uninstaller(4, 6);
  platform::ShellExecuteInfo info;
  info.size = platform::shell_execute_info_size();
  info.mask = platform::kSeeMaskNoCloseProcess;
  info.file = kUninstaller.c_str();
  ASSERT_TRUE(platform::shell_execute_ex(info));
  EXPECT_THAT(m.running_process_names(), ElementsAre("uninstall.exe"));
  std::uint32_t code = 0;
  ASSERT_TRUE(platform::get_exit_code_process(info.process, code));
  EXPECT_EQ(code, platform::kStillActive);
  EXPECT_EQ(platform::wait_for_single_object(info.process, platform::kInfinite),
            platform::kWaitObject0);
  EXPECT_EQ(m.waits_run_out, 0);  // no time-out ran out
  EXPECT_THAT(ended_with, ElementsAre("<null>"));
  ASSERT_TRUE(platform::get_exit_code_process(info.process, code));
  EXPECT_EQ(code, 6u);
  EXPECT_TRUE(platform::close_handle(info.process));
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(LaunchTest, LongerWaitsSpanSeveralStepsOfTheClock) {
  add_uninstaller(8, 2);
  platform::ShellExecuteInfo info;
  info.size = platform::shell_execute_info_size();
  info.mask = platform::kSeeMaskNoCloseProcess;
  info.file = kUninstaller.c_str();
  ASSERT_TRUE(platform::shell_execute_ex(info));
  EXPECT_EQ(platform::wait_for_single_object(info.process, 50), platform::kWaitTimeout);
  EXPECT_EQ(m.waits_run_out, 5);
  EXPECT_EQ(platform::wait_for_single_object(info.process, 0), platform::kWaitTimeout);
  EXPECT_EQ(m.waits_run_out, 6);  // even a poll moves the clock on, so polling ends
  EXPECT_EQ(platform::wait_for_single_object(info.process, 1000), platform::kWaitObject0);
  EXPECT_EQ(m.waits_run_out, 8);  // up to the program's end only
  EXPECT_THAT(ended_with, ElementsAre("<null>"));
  EXPECT_TRUE(platform::close_handle(info.process));
}

TEST_F(LaunchTest, ExitCodeIsOptional) {
  add_uninstaller(1, 5);
  EXPECT_TRUE(SHELLEXECANDWAIT(kUninstaller, "", "", 0, ""));
  EXPECT_THAT(ended_with, ElementsAre("<null>"));
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(LaunchTest, RecordsTheRequestAsTheShellGetsIt) {
  struct Row {
    const char* name;
    std::string parameters, verb, directory;
    int show;
    std::optional<std::string> recorded_parameters, recorded_verb, recorded_directory;
  };
  const std::vector<Row> rows = {
      {"empty texts become null pointers", "", "", "", 0, std::nullopt, std::nullopt, std::nullopt},
      {"texts are passed as given", "/S /norestart", "open", "C:\\Temp", 1, "/S /norestart", "open",
       "C:\\Temp"},
      {"only a verb", "", "runas", "", 5, std::nullopt, "runas", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::reset();
    add_uninstaller(0, 0);
    ASSERT_TRUE(SHELLEXECANDWAIT(kUninstaller, row.parameters, row.verb, row.show, row.directory));
    const auto& launches = sim::machine().launches;
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].file, kUninstaller);
    EXPECT_EQ(launches[0].parameters, row.recorded_parameters);
    EXPECT_EQ(launches[0].verb, row.recorded_verb);
    EXPECT_EQ(launches[0].directory, row.recorded_directory);
    EXPECT_EQ(launches[0].show, row.show);
    EXPECT_EQ(launches[0].mask, 0x740u);  // no-close-process, DDE wait, environment, no UI
    EXPECT_EQ(launches[0].size, 60u);
  }
}

TEST_F(LaunchTest, WithoutAProcessThereIsNothingToWaitFor) {
  add_uninstaller(4, 9).gives_process = false;
  std::uint32_t code = 0;
  EXPECT_TRUE(SHELLEXECANDWAIT(kUninstaller, "/S", "", 0, "", &code));
  EXPECT_EQ(code, platform::kStillActive);  // unknown
  EXPECT_THAT(ended_with, ElementsAre("/S"));
  EXPECT_EQ(m.call_count(sim::Call::WaitForInputIdle), 0);
  EXPECT_EQ(m.call_count(sim::Call::WaitForSingleObject), 0);
  EXPECT_EQ(m.waits_run_out, 0);
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(LaunchTest, ConsoleProgramIsWaitedForAllTheSame) {
  add_uninstaller(2, 4).console = true;
  std::uint32_t code = 0;
  EXPECT_TRUE(SHELLEXECANDWAIT(kUninstaller, "", "", 0, "", &code));
  EXPECT_EQ(code, 4u);
  EXPECT_EQ(m.call_count(sim::Call::WaitForInputIdle), 1);
  EXPECT_EQ(m.waits_run_out, 2);
}

TEST_F(LaunchTest, DispatchesMessagesEachTimeAWaitRunsOut) {
  add_uninstaller(3, 0);
  m.message_queue = {{0x400, 0}, {0x401, 2}, {0x402, 2}, {0x403, 4}};
  EXPECT_TRUE(SHELLEXECANDWAIT(kUninstaller, "", "", 0, ""));
  EXPECT_THAT(dispatched(m),
              ElementsAre(std::pair(0x400u, 1), std::pair(0x401u, 2), std::pair(0x402u, 2)));
  // Posted during the wait in which the program ended: nobody pumped after it.
  ASSERT_EQ(m.message_queue.size(), 1u);
  EXPECT_EQ(m.message_queue[0].message, 0x403u);
}

TEST_F(LaunchTest, FailedWaitEndsTheLoopAndReleasesTheHandle) {
  add_uninstaller(5, 0);
  m.fail(sim::Call::WaitForSingleObject, platform::kErrorInvalidHandle, 2);
  std::uint32_t code = 0;
  EXPECT_TRUE(SHELLEXECANDWAIT(kUninstaller, "", "", 0, "", &code));
  EXPECT_EQ(code, platform::kStillActive);  // it never ended while we watched
  EXPECT_EQ(m.call_count(sim::Call::WaitForSingleObject), 2);
  EXPECT_THAT(ended_with, IsEmpty());
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(LaunchTest, UnreadableExitCodeIsReportedAsUnknown) {
  add_uninstaller(1, 3);
  m.fail(sim::Call::GetExitCodeProcess, platform::kErrorAccessDenied);
  std::uint32_t code = 0;
  EXPECT_TRUE(SHELLEXECANDWAIT(kUninstaller, "", "", 0, "", &code));
  EXPECT_EQ(code, platform::kStillActive);
  EXPECT_EQ(m.open_handles(), 0);
}

// ---- the sim's installer tool ------------------------------------------------------

const std::string kCode = "{6A1C5B3E-1234-4C2D-9E8F-0A1B2C3D4E5F}";
const std::string kRecord = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + kCode;
const std::string kVendorKey = "SOFTWARE\\The Document Foundation\\LibreOffice";
const std::string kOwnedFile = "C:\\Program Files\\LibreOffice\\program\\soffice.exe";
const std::string kUserFile = "C:\\Program Files\\LibreOffice\\program\\user.txt";

class InstallerToolTest : public SimTest {
 protected:
  sim::Product& install() {
    m.add_file(kUserFile);
    return m.add_installed_product(kCode, "LibreOffice 7.6", {{HKLM, kVendorKey}}, {kOwnedFile});
  }
};

TEST_F(InstallerToolTest, RemovesTheProductNamedAfterX) {
  const std::vector<std::string> commands = {"/x" + kCode, "/X " + kCode + " /qn",
                                             "/qn /x\t" + kCode,
                                             "/x{6a1c5b3e-1234-4c2d-9e8f-0a1b2c3d4e5f}"};
  for (const auto& parameters : commands) {
    SCOPED_TRACE(parameters);
    sim::Machine& machine = sim::reset();
    machine.add_file(kUserFile);
    machine.add_installed_product(kCode, "LibreOffice 7.6", {{HKLM, kVendorKey}}, {kOwnedFile});
    std::uint32_t code = 99;
    EXPECT_TRUE(
        SHELLEXECANDWAIT(machine.system_directory + "\\Msiexec.exe", parameters, "", 0, "", &code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(machine.key_exists(HKLM, kVendorKey));
    EXPECT_FALSE(machine.key_exists(HKLM, kRecord));
    EXPECT_FALSE(machine.file_exists(kOwnedFile));
    EXPECT_TRUE(machine.file_exists(kUserFile));  // not the product's
    EXPECT_TRUE(machine.folder_exists("C:\\Program Files\\LibreOffice\\program"));
    EXPECT_THAT(machine.products, IsEmpty());
    EXPECT_EQ(machine.waits_run_out, 1);
    EXPECT_EQ(machine.open_handles(), 0);
  }
}

TEST_F(InstallerToolTest, FailingOrUnknownRemovalChangesNothing) {
  struct Row {
    const char* name;
    std::string parameters;
    std::uint32_t removal_exit_code;
    std::uint32_t expected;
  };
  const std::vector<Row> rows = {
      {"the removal fails", "/x" + kCode, 1603, 1603},
      {"another product", "/x{00000000-0000-0000-0000-000000000000}", 0, 1605},
      {"no product code", "/qn", 0, 1639},
      {"a code without /x", "/i" + kCode, 0, 1639},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::Machine& machine = sim::reset();
    machine.add_installed_product(kCode, "LibreOffice 7.6", {{HKLM, kVendorKey}}, {kOwnedFile})
        .removal_exit_code = row.removal_exit_code;
    const auto registry = machine.registry_lines();
    const auto files = machine.file_lines();
    std::uint32_t code = 0;
    EXPECT_TRUE(SHELLEXECANDWAIT(machine.system_directory + "\\Msiexec.exe", row.parameters, "", 0,
                                 "", &code));
    EXPECT_EQ(code, row.expected);
    EXPECT_EQ(machine.registry_lines(), registry);
    EXPECT_EQ(machine.file_lines(), files);
    EXPECT_EQ(machine.products.size(), 1u);
  }
}

TEST_F(InstallerToolTest, IsFoundWhateverTheLetterCaseAndCanBeOverridden) {
  install();
  std::uint32_t code = 0;
  EXPECT_TRUE(
      SHELLEXECANDWAIT("c:\\WINDOWS\\SYSTEM32\\msiexec.EXE", "/x" + kCode, "", 0, "", &code));
  EXPECT_EQ(code, 0u);
  EXPECT_THAT(m.products, IsEmpty());

  sim::Machine& machine = sim::reset();
  machine.add_installed_product(kCode, "LibreOffice 7.6", {}, {});
  sim::Program stand_in;
  stand_in.exit_code = 1618;
  machine.add_program(machine.system_directory + "\\Msiexec.exe", stand_in);
  EXPECT_TRUE(
      SHELLEXECANDWAIT(machine.system_directory + "\\Msiexec.exe", "/x" + kCode, "", 0, "", &code));
  EXPECT_EQ(code, 1618u);
  EXPECT_EQ(machine.products.size(), 1u);
}

TEST_F(InstallerToolTest, OnlyTheSystemFoldersToolKnowsProducts) {
  install();
  EXPECT_FALSE(SHELLEXECANDWAIT("C:\\Temp\\Msiexec.exe", "/x" + kCode, "", 0, ""));
  EXPECT_FALSE(SHELLEXECANDWAIT("Msiexec.exe /x" + kCode, "", "", 0, ""));
  EXPECT_EQ(m.products.size(), 1u);
  EXPECT_THAT(m.launches, IsEmpty());
}

}  // namespace
