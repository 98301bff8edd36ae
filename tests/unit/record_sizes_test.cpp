// The two Windows record sizes the stages hand over follow the program's architecture:
// a walk or a launch that used the other architecture's size would fail on Windows.
#include <gmock/gmock.h>

#include "fonction.h"
#include "platform/owners.h"
#include "platform/launch_calls.h"
#include "platform/process_calls.h"
#include "sim_test.h"

namespace {

class RecordSizesTest : public SimTest {};

TEST_F(RecordSizesTest, StagesUseTheSizesOfTheProgramsArchitecture) {
  struct Row {
    const char* name;
    bool program_is_64_bit;
    std::uint32_t entry_size, info_size;
  };
  const Row rows[] = {{"32-bit program", false, 296, 60}, {"64-bit program", true, 304, 112}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::Machine& machine = sim::reset();
    machine.program_is_64_bit = row.program_is_64_bit;
    EXPECT_EQ(platform::process_entry_size(), row.entry_size);
    EXPECT_EQ(platform::shell_execute_info_size(), row.info_size);

    machine.add_process("soffice.bin");
    EXPECT_TRUE(PROCESSEXISTS("soffice.bin"));
    EXPECT_EQ(CLOSEPROCCESSUS("soffice.bin"), 1);
    EXPECT_THAT(machine.running_process_names(), ::testing::IsEmpty());

    machine.add_program("C:\\tool.exe", {});
    EXPECT_TRUE(SHELLEXECANDWAIT("C:\\tool.exe", "", "", 1, ""));
    ASSERT_EQ(machine.launches.size(), 1u);
    EXPECT_EQ(machine.launches[0].size, row.info_size);
  }
}

TEST_F(RecordSizesTest, AnEntrySizedForTheOtherArchitectureIsRefused) {
  m.program_is_64_bit = true;
  m.add_process("soffice.bin");
  const platform::UniqueSnapshot snapshot(
      platform::create_toolhelp_snapshot(platform::kTh32csSnapProcess, 0));
  platform::ProcessEntry entry;
  entry.size = 296;
  EXPECT_FALSE(platform::process_first(snapshot.get(), entry));
  EXPECT_EQ(m.last_error, 122u);
  entry.size = 304;
  EXPECT_TRUE(platform::process_first(snapshot.get(), entry));
}

}  // namespace
