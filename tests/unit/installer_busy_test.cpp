#include "removal/installer_busy.h"

#include "sim_test.h"

namespace {

const std::string kMsiMutex = "Global\\_MSIExecute";

using InstallerBusyTest = SimTest;

TEST_F(InstallerBusyTest, OnlyAMutexThatDoesNotExistMeansNoOtherInstallation) {
  struct Row {
    const char* name;
    const char* held;                    // the mutex some program holds; "" for none
    std::optional<std::uint32_t> fault;  // the open fails with this code
    bool expected;
  };
  const Row rows[] = {
      {"held by the installer", "Global\\_MSIExecute", std::nullopt, true},
      {"no mutex at all", "", std::nullopt, false},
      {"another program's mutex", "Global\\_MSISETUP", std::nullopt, false},
      {"the name in other letter case", "Global\\_msiexecute", std::nullopt, false},
      {"there, but access denied", "Global\\_MSIExecute", platform::kErrorAccessDenied, true},
      {"access denied for a mutex that is not there", "", platform::kErrorAccessDenied, true},
      {"another object of that name", "", platform::kErrorInvalidHandle, true},
      {"low memory", "", platform::kErrorNotEnoughMemory, true},
      {"not found although held", "Global\\_MSIExecute", platform::kErrorFileNotFound, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::Machine& machine = sim::reset();
    if (*row.held) machine.add_mutex(row.held);
    if (row.fault) machine.fail(sim::Call::OpenMutex, *row.fault, 1, false, kMsiMutex);
    EXPECT_EQ(another_installation_in_progress(), row.expected);
    EXPECT_EQ(machine.call_count(sim::Call::OpenMutex), 1);
    EXPECT_EQ(machine.faults_injected(), row.fault ? 1 : 0);
    EXPECT_EQ(machine.open_handles(), 0);
  }
}

}  // namespace
