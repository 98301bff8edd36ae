#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "fonction.h"
#include "sim_test.h"

namespace {

using ::testing::ElementsAre;

struct Running {
  std::string exe_file;
  bool terminable = true;
};

class ProcessesTest : public SimTest {
 protected:
  static sim::Machine& machine_with(const std::vector<Running>& processes) {
    sim::Machine& machine = sim::reset();
    for (const auto& process : processes) machine.add_process(process.exe_file, process.terminable);
    return machine;
  }
};

const std::string kFolderEntry = "C:\\Program Files\\LibreOffice\\program\\soffice.bin";

TEST_F(ProcessesTest, FindsAndEndsByExecutableName) {
  struct Row {
    const char* name;
    std::vector<Running> processes;
    std::string wanted;
    bool exists;
    int closed;                          // CLOSEPROCCESSUS's answer
    std::vector<std::string> remaining;  // running afterwards
  };
  const std::string long_name = std::string(256, 'a') + ".exe";  // 260: no room for a NUL
  const std::string longer_name = std::string(270, 'b');         // listed cut to 260
  const std::vector<Row> rows = {
      {"upper-case entry, small-letter name", {{"SOFFICE.BIN"}}, "soffice.bin", true, 1, {}},
      {"small-letter entry, mixed name", {{"soffice.bin"}}, "SOffice.Bin", true, 1, {}},
      {"accented letter's case is not folded",
       {{"SOFFIC\xC9.BIN"}},
       "soffic\xE9.bin",
       false,
       0,
       {"SOFFIC\xC9.BIN"}},
      {"accented letter, same case", {{"soffic\xE9.bin"}}, "SOFFIC\xE9.BIN", true, 1, {}},
      {"every instance is ended",
       {{"soffice.bin"}, {"explorer.exe"}, {"soffice.bin"}, {"SOFFICE.BIN"}},
       "soffice.bin",
       true,
       1,
       {"explorer.exe"}},
      {"the last attempt is refused",
       {{"soffice.bin"}, {"soffice.bin", false}},
       "soffice.bin",
       true,
       0,
       {"soffice.bin"}},
      {"a refused attempt, then the walk goes on",
       {{"soffice.bin", false}, {"soffice.bin"}},
       "soffice.bin",
       true,
       1,
       {"soffice.bin"}},
      {"no such process",
       {{"explorer.exe"}, {"soffice.exe"}},
       "soffice.bin",
       false,
       0,
       {"explorer.exe", "soffice.exe"}},
      {"a name that only begins the same",
       {{"soffice.bin.old"}},
       "soffice.bin",
       false,
       0,
       {"soffice.bin.old"}},
      {"entry with a folder, the whole path asked for",
       {{kFolderEntry}},
       kFolderEntry,
       true,
       0,
       {kFolderEntry}},
      {"entry with a folder, the file name asked for",
       {{kFolderEntry}},
       "soffice.bin",
       true,
       1,
       {}},
      {"entry of 260 characters without a NUL", {{long_name}}, long_name, true, 1, {}},
      {"entry cut to 260 characters", {{longer_name}}, longer_name.substr(0, 260), true, 1, {}},
      {"the uncut name of a cut entry", {{longer_name}}, longer_name, false, 0, {longer_name}},
      {"no processes at all", {}, "soffice.bin", false, 0, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::Machine& machine = machine_with(row.processes);
    EXPECT_EQ(PROCESSEXISTS(row.wanted), row.exists);
    EXPECT_EQ(CLOSEPROCCESSUS(row.wanted), row.closed);
    EXPECT_EQ(machine.running_process_names(), row.remaining);
    EXPECT_EQ(machine.open_handles(), 0);
  }
}

TEST_F(ProcessesTest, EndedProcessesAreGoneFromTheNextWalk) {
  m.add_process("soffice.bin");
  m.add_process("soffice.bin");
  EXPECT_EQ(CLOSEPROCCESSUS("soffice.bin"), 1);
  EXPECT_FALSE(PROCESSEXISTS("soffice.bin"));
  EXPECT_EQ(CLOSEPROCCESSUS("soffice.bin"), 0);
  EXPECT_EQ(m.call_count(sim::Call::TerminateProcess), 2);
  for (const auto& process : m.processes) EXPECT_EQ(process.exit_code, 0u);
}

TEST_F(ProcessesTest, RefusedSnapshotFindsAndEndsNothing) {
  m.add_process("soffice.bin");
  m.fail(sim::Call::CreateSnapshot, platform::kErrorAccessDenied, 1, true);
  EXPECT_FALSE(PROCESSEXISTS("soffice.bin"));
  EXPECT_EQ(CLOSEPROCCESSUS("soffice.bin"), 0);
  EXPECT_THAT(m.running_process_names(), ElementsAre("soffice.bin"));
  EXPECT_EQ(m.call_count(sim::Call::ProcessFirst), 0);
  EXPECT_EQ(m.call_count(sim::Call::OpenProcess), 0);
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(ProcessesTest, FailedCallsEndTheWalkOrThatAttempt) {
  struct Row {
    const char* name;
    sim::Call call;
    int nth;
    bool exists;
    int closed;
    std::vector<std::string> remaining;
  };
  // Processes: explorer.exe, soffice.bin, soffice.bin.
  const std::vector<Row> rows = {
      {"first entry refused",
       sim::Call::ProcessFirst,
       1,
       false,
       0,
       {"explorer.exe", "soffice.bin", "soffice.bin"}},
      {"walk broken after the first entry",
       sim::Call::ProcessNext,
       1,
       false,
       0,
       {"explorer.exe", "soffice.bin", "soffice.bin"}},
      {"walk broken before the last entry",
       sim::Call::ProcessNext,
       2,
       true,
       1,
       {"explorer.exe", "soffice.bin"}},
      {"first open refused", sim::Call::OpenProcess, 1, true, 1, {"explorer.exe", "soffice.bin"}},
      {"last open refused", sim::Call::OpenProcess, 2, true, 0, {"explorer.exe", "soffice.bin"}},
      {"last termination refused",
       sim::Call::TerminateProcess,
       2,
       true,
       0,
       {"explorer.exe", "soffice.bin"}},
  };
  const std::vector<Running> processes = {{"explorer.exe"}, {"soffice.bin"}, {"soffice.bin"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    machine_with(processes).fail(row.call, platform::kErrorAccessDenied, row.nth);
    EXPECT_EQ(PROCESSEXISTS("soffice.bin"), row.exists);
    sim::Machine& machine = machine_with(processes);
    machine.fail(row.call, platform::kErrorAccessDenied, row.nth);
    EXPECT_EQ(CLOSEPROCCESSUS("soffice.bin"), row.closed);
    EXPECT_EQ(machine.running_process_names(), row.remaining);
    EXPECT_EQ(machine.open_handles(), 0);
  }
}

TEST_F(ProcessesTest, EndsWithExitCodeZeroAndReleasesEveryHandle) {
  m.add_process("soffice.bin");
  m.add_process("SOFFICE.BIN", false);
  m.add_process("soffice.bin");
  EXPECT_EQ(CLOSEPROCCESSUS("soffice.bin"), 1);
  EXPECT_THAT(m.running_process_names(), ElementsAre("SOFFICE.BIN"));
  EXPECT_EQ(m.processes[0].exit_code, 0u);
  EXPECT_EQ(m.processes[2].exit_code, 0u);
  EXPECT_EQ(m.call_count(sim::Call::CreateSnapshot), 1);
  EXPECT_EQ(m.call_count(sim::Call::OpenProcess), 3);
  EXPECT_EQ(m.open_handles(sim::Machine::HandleKind::Snapshot), 0);
  EXPECT_EQ(m.open_handles(sim::Machine::HandleKind::Process), 0);
}

}  // namespace
