// Whole runs on 64-bit Windows, where HKLM\SOFTWARE has a 32-bit and a 64-bit view: the
// run looks through the program's own view, then through the other one.
#include <gmock/gmock.h>

#include "platform/registry.h"
#include "run/run_sequence.h"
#include "run_audit.h"
#include "sim_test.h"
#include "suite_world.h"

namespace {

using world::View;

bool is_registry_call(sim::Call call) {
  return call == sim::Call::RegOpenKey || call == sim::Call::RegQueryInfoKey ||
         call == sim::Call::RegEnumKey || call == sim::Call::RegEnumValue ||
         call == sim::Call::RegQueryValue;
}

std::vector<std::pair<sim::Call, std::string>> registry_log(const sim::Machine& machine) {
  std::vector<std::pair<sim::Call, std::string>> log;
  for (const auto& entry : machine.call_log)
    if (is_registry_call(entry.first)) log.push_back(entry);
  return log;
}

class TwoViewsTest : public SimTest {};

TEST_F(TwoViewsTest, EitherProgramRemovesASuiteOfEitherArchitecture) {
  struct Row {
    const char* name;
    bool windows64, program64;
    View suite;
  };
  const Row rows[] = {
      {"32-bit Windows", false, false, View::Native},
      {"64-bit suite, 32-bit program", true, false, View::Native},
      {"32-bit suite, 32-bit program", true, false, View::Wow6432},
      {"64-bit suite, 64-bit program", true, true, View::Native},
      {"32-bit suite, 64-bit program", true, true, View::Wow6432},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::Machine& machine = sim::reset();
    machine.windows_is_64_bit = row.windows64;
    machine.program_is_64_bit = row.program64;
    world::typical_machine(machine, row.suite);
    const audit::Allowed allowed = audit::suite_allowed(row.suite);
    const audit::State before = audit::take(machine);

    EXPECT_EQ(quorvalis_main({"/quiet"}), 0);

    EXPECT_FALSE(machine.key_exists(HKLM, world::hklm(world::kUninstallKey + world::kProductCode, row.suite)));
    for (const auto& change : audit::unexpected_changes(before, machine, allowed)) ADD_FAILURE() << change;
    EXPECT_TRUE(audit::cleanup_complete(before, machine, allowed));
    ASSERT_EQ(machine.launches.size(), 3u);
    EXPECT_EQ(machine.launches[2].parameters, "/quiet /norestart /x" + world::kProductCode);
    EXPECT_EQ(machine.open_handles(), 0);
    EXPECT_EQ(platform::registry_view(), 0u);
  }
}

TEST_F(TwoViewsTest, ASuiteNoViewLocatesIsNeverASuccess) {
  struct Row {
    const char* name;
    bool windows64, program64;
  };
  const Row rows[] = {{"32-bit Windows", false, false},
                      {"64-bit Windows, 32-bit program", true, false},
                      {"64-bit Windows, 64-bit program", true, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::Machine& machine = sim::reset();
    machine.windows_is_64_bit = row.windows64;
    machine.program_is_64_bit = row.program64;
    world::typical_machine(machine);
    machine.delete_key(HKLM, world::kTdfVendor);
    const audit::State before = audit::take(machine);

    EXPECT_EQ(quorvalis_main({"/quiet"}), kSuiteNotFoundStatus);
    EXPECT_TRUE(audit::untouched(before, machine));
  }
}

TEST_F(TwoViewsTest, NoSuiteIsStillNothingToDo) {
  m.windows_is_64_bit = true;
  EXPECT_EQ(quorvalis_main({"/quiet"}), 0);
  EXPECT_TRUE(m.launches.empty());
}

// The first pass is the run as it was before there were two: on 64-bit Windows with the
// suite in the program's own view it makes the very calls of a 32-bit Windows run, and
// the second pass ends at detection without a registry call, the identifiers gone.
TEST_F(TwoViewsTest, TheFirstPassMakesTheRegistryCallsOfASingleViewRun) {
  m.record_calls = true;
  world::typical_machine(m);
  ASSERT_EQ(quorvalis_main({"/quiet"}), 0);
  const auto single_view = registry_log(m);
  ASSERT_FALSE(single_view.empty());

  sim::Machine& machine = sim::reset();
  machine.windows_is_64_bit = true;
  machine.record_calls = true;
  world::typical_machine(machine, View::Wow6432);
  ASSERT_EQ(quorvalis_main({"/quiet"}), 0);
  EXPECT_EQ(registry_log(machine), single_view);
  EXPECT_EQ(machine.call_count(sim::Call::ClsidFromProgId), 2);
}

TEST_F(TwoViewsTest, WindowsThatCannotSayItsKindCountsAsThirtyTwoBit) {
  m.windows_is_64_bit = true;
  world::typical_machine(m);  // a 64-bit suite: only the second view finds it
  m.fail(sim::Call::IsWow64Process, 5);
  EXPECT_EQ(quorvalis_main({"/quiet"}), kSuiteNotFoundStatus);
  EXPECT_TRUE(m.launches.empty());
}

// Both architectures installed, the identifiers left by the first removal (a package
// that does not own them): each pass removes its view's suite, and the run reports the
// status that weighs more for a deployment tool.
TEST_F(TwoViewsTest, ASuiteInEachViewGivesTheWeightierStatus) {
  struct Row {
    const char* name;
    std::uint32_t first_removal, second_removal;  // 0, 3010: removed; 1603: refused
    int status;
  };
  const Row rows[] = {{"a restart after a plain removal", 0, 3010, 3010},
                      {"a failure before a plain removal", 1603, 0, 1603},
                      {"a failure after a restart", 3010, 1603, 1603}};
  const std::string code64 = "{6A1C5B3E-1234-4C2D-9E8F-0A1B2C3D4E60}";
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::Machine& machine = sim::reset();
    machine.windows_is_64_bit = true;
    world::typical_machine(machine, View::Wow6432);
    // The x86 suite's folder stands for "Program Files (x86)": each has its own.
    const std::string folder64 = "C:\\Program Files\\LibreOffice64\\";
    world::add_vendor_location(machine, world::kTdfVendor, "7.6.4.1", folder64);
    world::add_bootstrap(machine, folder64, world::kProductKey);
    world::add_package_record(machine, code64, world::kDisplayName);
    sim::Product suite64;
    suite64.code = code64;
    suite64.keys = {{HKLM, world::kTdfVendor}};
    machine.add_product(suite64);
    for (auto& product : machine.products) {
      const bool first = product.code == world::kProductCode;
      if (!first && product.code != code64) continue;
      if (first) product.keys.resize(1);  // its vendor key only: the identifiers stay
      const std::uint32_t status = first ? row.first_removal : row.second_removal;
      (status == 1603 ? product.removal_exit_code : product.removed_exit_code) = status;
    }

    EXPECT_EQ(quorvalis_main({"/quiet"}), row.status);
    EXPECT_EQ(machine.key_exists(HKLM, world::hklm(world::kUninstallKey + world::kProductCode, View::Wow6432)),
              row.first_removal == 1603);
    EXPECT_EQ(machine.key_exists(HKLM, world::kUninstallKey + code64), row.second_removal == 1603);
    EXPECT_EQ(machine.folder_exists(folder64), row.second_removal == 1603);
  }
}

}  // namespace
