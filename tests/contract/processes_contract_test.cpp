// The process walk and termination, against the sim and against Wine.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fonction.h"
#include "platform/owners.h"
#include "platform/process_calls.h"
#include "tests/contract/program_world.h"

namespace {

using namespace platform;

class ProcessesContract : public ::testing::Test {
 protected:
  void SetUp() override { program_world::begin(); }
  void TearDown() override { program_world::end(); }

  // The snapshot's entry for `id`, as the walk gives it; "" when it is not listed.
  static std::string listed_name(std::uint32_t id) {
    const UniqueSnapshot snapshot(create_toolhelp_snapshot(kTh32csSnapProcess, 0));
    EXPECT_TRUE(snapshot.valid());
    ProcessEntry entry;
    entry.size = process_entry_size();
    for (bool more = process_first(snapshot.get(), entry); more;
         more = process_next(snapshot.get(), entry))
      if (entry.process_id == id)
        return std::string(entry.exe_file, strnlen(entry.exe_file, kMaxPath));
    return {};
  }
};

TEST_F(ProcessesContract, SofficeBinIsListedByItsBareNameAndEnded) {
  const std::uint32_t id = program_world::start_sleeper("soffice.bin");
  ASSERT_NE(id, 0u);
  EXPECT_EQ(listed_name(id), "soffice.bin");
  EXPECT_TRUE(PROCESSEXISTS("soffice.bin"));
  EXPECT_TRUE(PROCESSEXISTS("SOFFICE.BIN"));
  EXPECT_EQ(CLOSEPROCCESSUS("soffice.bin"), 1);
  EXPECT_TRUE(program_world::has_ended(id));
  EXPECT_FALSE(PROCESSEXISTS("soffice.bin"));
  EXPECT_EQ(CLOSEPROCCESSUS("soffice.bin"), 0);
}

TEST_F(ProcessesContract, WalkEndsWithNoMoreFilesAndNeedsTheEntrySize) {
  program_world::start_sleeper("walk-listed.bin");
  const Handle snapshot = create_toolhelp_snapshot(kTh32csSnapProcess, 0);
  ASSERT_NE(snapshot, kInvalidHandle);
  ProcessEntry entry;
  entry.size = process_entry_size();
  int listed = 0;
  for (bool more = process_first(snapshot, entry); more; more = process_next(snapshot, entry))
    ++listed;
  EXPECT_GE(listed, 1);
  EXPECT_EQ(last_error(), kErrorNoMoreFiles);
  EXPECT_FALSE(process_next(snapshot, entry));
  EXPECT_EQ(last_error(), kErrorNoMoreFiles);

  ProcessEntry unsized;
  EXPECT_FALSE(process_first(snapshot, unsized));
  EXPECT_EQ(last_error(), 122u);  // ERROR_INSUFFICIENT_BUFFER
  EXPECT_TRUE(close_handle(snapshot));
}

TEST_F(ProcessesContract, UnknownProcessCannotBeOpened) {
  EXPECT_EQ(open_process(kProcessTerminate, false, 0x7FFFFFF0u), kNullHandle);
  EXPECT_EQ(last_error(), kErrorInvalidParameter);
}

TEST_F(ProcessesContract, EndedProcessCannotBeEndedAgain) {
  const std::uint32_t id = program_world::start_sleeper("ended-twice.bin");
  ASSERT_NE(id, 0u);
  const UniqueKernelHandle process(open_process(kProcessTerminate, false, id));
  ASSERT_TRUE(process.valid());
  EXPECT_TRUE(terminate_process(process.get(), 3));
  ASSERT_TRUE(program_world::has_ended(id));
  if (program_world::kUnderWine) {
    // Wine 8.0 answers success; Windows documents that this call fails with access
    // denied once the process has terminated, and the sim follows Windows.
    EXPECT_TRUE(terminate_process(process.get(), 3));
  } else {
    EXPECT_FALSE(terminate_process(process.get(), 3));
    EXPECT_EQ(last_error(), kErrorAccessDenied);
  }
}

}  // namespace
