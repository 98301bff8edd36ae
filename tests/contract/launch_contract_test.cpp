// Starting programs through the shell and waiting for them, against the sim and Wine.
#include <gtest/gtest.h>

#include "fonction.h"
#include "platform/launch_calls.h"
#include "platform/owners.h"
#include "platform/process_calls.h"
#include "tests/contract/program_world.h"

namespace {

using namespace platform;

class LaunchContract : public ::testing::Test {
 protected:
  void SetUp() override { program_world::begin(); }
  void TearDown() override { program_world::end(); }

  static ShellExecuteInfo request(const std::string& file, const std::string& parameters) {
    ShellExecuteInfo info;
    info.size = shell_execute_info_size();
    info.mask =
        kSeeMaskNoCloseProcess | kSeeMaskFlagDdeWait | kSeeMaskDoEnvSubst | kSeeMaskFlagNoUi;
    info.file = file.c_str();
    info.parameters = PCHARORNIL(parameters);
    info.show = static_cast<int>(kSwShowNormal);
    return info;
  }
};

TEST_F(LaunchContract, WaitsForTheProgramAndReadsItsExitCode) {
  const auto program = program_world::timed_program(7, "waited-for.exe");
  std::uint32_t code = 0;
  EXPECT_TRUE(SHELLEXECANDWAIT(program.file, program.parameters, "", 1, "", &code));
  EXPECT_EQ(code, 7u);
  EXPECT_FALSE(PROCESSEXISTS("waited-for.exe"));
}

TEST_F(LaunchContract, WholeCommandAsTheFileNameIsNotSplit) {
  const auto program = program_world::timed_program(0);
  const std::string whole = program.file + " " + program.parameters;
  ShellExecuteInfo info = request(whole, "");
  EXPECT_FALSE(shell_execute_ex(info));
  EXPECT_EQ(last_error(), kErrorFileNotFound);
  EXPECT_EQ(info.process, kNullHandle);
  EXPECT_FALSE(SHELLEXECANDWAIT(whole, "", "", 1, ""));
}

TEST_F(LaunchContract, ConsoleProgramIsNeverIdle) {
  const auto program = program_world::timed_program(5);
  ShellExecuteInfo info = request(program.file, program.parameters);
  ASSERT_TRUE(shell_execute_ex(info));
  ASSERT_NE(info.process, kNullHandle);
  const UniqueKernelHandle process(info.process);
  EXPECT_EQ(wait_for_input_idle(process.get(), 5000), kWaitFailed);  // at once, not after 5 s
  EXPECT_EQ(wait_for_single_object(process.get(), 10000), kWaitObject0);
  std::uint32_t code = 0;
  ASSERT_TRUE(get_exit_code_process(process.get(), code));
  EXPECT_EQ(code, 5u);
}

TEST_F(LaunchContract, StartedProgramRunsUntilEnded) {
  const auto program = program_world::sleeper_program();
  ShellExecuteInfo info = request(program.file, program.parameters);
  ASSERT_TRUE(shell_execute_ex(info));
  ASSERT_NE(info.process, kNullHandle);
  EXPECT_GT(info.instance, Handle{32});
  const UniqueKernelHandle process(info.process);
  EXPECT_EQ(wait_for_single_object(process.get(), 10), kWaitTimeout);
  std::uint32_t code = 0;
  ASSERT_TRUE(get_exit_code_process(process.get(), code));
  EXPECT_EQ(code, kStillActive);
  EXPECT_TRUE(PROCESSEXISTS("sleeper.exe"));

  ASSERT_TRUE(terminate_process(process.get(), 3));
  // Bounded, so a termination that does not take cannot hang the run.
  EXPECT_EQ(wait_for_single_object(process.get(), 10000), kWaitObject0);
  ASSERT_TRUE(get_exit_code_process(process.get(), code));
  EXPECT_EQ(code, 3u);
}

}  // namespace

namespace {

// The pump's three calls: each posted thread message is taken once, in order; it is no
// key stroke to translate, and dispatching a message for no window answers 0.
TEST(MessagePumpContract, TakesEachPostedThreadMessageOnceInOrder) {
  program_world::begin();
  constexpr std::uint32_t kFirst = 0x8001, kSecond = 0x8002;  // WM_APP + 1, + 2
  program_world::post_thread_message(kFirst);
  program_world::post_thread_message(kSecond);
  for (const std::uint32_t expected : {kFirst, kSecond}) {
    platform::Message message;
    ASSERT_TRUE(platform::peek_message(message, platform::kNullHandle, 0, 0, platform::kPmRemove));
    EXPECT_EQ(message.message, expected);
    EXPECT_EQ(message.window, platform::kNullHandle);
    EXPECT_FALSE(platform::translate_message(message));
    EXPECT_EQ(platform::dispatch_message(message), 0);
  }
  platform::Message none;
  EXPECT_FALSE(platform::peek_message(none, platform::kNullHandle, 0, 0, platform::kPmRemove));
  program_world::end();
}

}  // namespace
