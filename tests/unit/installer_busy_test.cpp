#include "removal/installer_busy.h"

#include "sim_test.h"

namespace {

const std::string kMsiMutex = "Global\\_MSIExecute";

using InstallerBusyTest = SimTest;

TEST_F(InstallerBusyTest, OnlyAMutexOwnedElsewhereOrUnknowableMeansAnotherInstallation) {
  struct Row {
    const char* name;
    const char* mutex;                   // the mutex that exists; "" for none
    bool owned_elsewhere;                // another program owns it
    std::optional<sim::Call> failing;    // this call fails once, with `code`
    std::uint32_t code;
    bool expected;
  };
  using sim::Call;
  const Row rows[] = {
      {"owned by the installer", "Global\\_MSIExecute", true, std::nullopt, 0, true},
      {"kept by the idle service, owned by nobody", "Global\\_MSIExecute", false, std::nullopt, 0, false},
      {"no mutex at all", "", true, std::nullopt, 0, false},
      {"another program's mutex", "Global\\_MSISETUP", true, std::nullopt, 0, false},
      {"the name in other letter case", "Global\\_msiexecute", true, std::nullopt, 0, false},
      {"there, but access denied", "Global\\_MSIExecute", true, Call::OpenMutex, platform::kErrorAccessDenied, true},
      {"access denied for a mutex that is not there", "", true, Call::OpenMutex, platform::kErrorAccessDenied, true},
      {"another object of that name", "", true, Call::OpenMutex, platform::kErrorInvalidHandle, true},
      {"low memory", "", true, Call::OpenMutex, platform::kErrorNotEnoughMemory, true},
      {"not found although owned", "Global\\_MSIExecute", true, Call::OpenMutex, platform::kErrorFileNotFound, false},
      {"unowned, but the wait fails", "Global\\_MSIExecute", false, Call::WaitForSingleObject,
       platform::kErrorAccessDenied, true},
      {"unowned, and giving it back fails", "Global\\_MSIExecute", false, Call::ReleaseMutex,
       platform::kErrorNotOwner, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::Machine& machine = sim::reset();
    if (*row.mutex) machine.add_mutex(row.mutex, row.owned_elsewhere);
    if (row.failing) machine.fail(*row.failing, row.code, 1, false, kMsiMutex);
    EXPECT_EQ(another_installation_in_progress(), row.expected);
    EXPECT_EQ(machine.call_count(sim::Call::OpenMutex), 1);
    EXPECT_EQ(machine.faults_injected(), row.failing ? 1 : 0);
    EXPECT_EQ(machine.open_handles(), 0);
    // A mutex taken to look at it is given back: the installer can take it next.
    if (sim::Machine::NamedMutex* mutex = machine.find_mutex(kMsiMutex)) {
      EXPECT_EQ(mutex->owned_here, row.failing == Call::ReleaseMutex ? 1 : 0);
    }
  }
}

}  // namespace
