// Opening a named mutex, against the sim and against Wine.
#include <gtest/gtest.h>

#include <string>

#include "platform/launch_calls.h"
#include "platform/mutex_calls.h"
#include "platform/types.h"
#include "tests/contract/mutex_world.h"

namespace {

using namespace platform;

class MutexContract : public ::testing::Test {
 protected:
  void SetUp() override { mutex_world::begin(); }
  void TearDown() override { mutex_world::end(); }
};

TEST_F(MutexContract, OpensOnlyAMutexThatExistsUnderThatVeryName) {
  struct Row {
    const char* name;
    const char* held;    // the mutex someone holds; "" for none
    const char* opened;  // the name asked for
    bool opens;
  };
  const Row rows[] = {
      {"no such mutex", "", "Global\\quorvalis-contract-absent", false},
      {"held in the namespace of all sessions", "Global\\quorvalis-contract-held",
       "Global\\quorvalis-contract-held", true},
      // Microsoft documents the comparison as case-sensitive; that is authoritative.
      {"held under a name in other letter case", "Global\\quorvalis-contract-Case",
       "Global\\quorvalis-contract-case", false},
      {"held under a longer name", "Global\\quorvalis-contract-longer",
       "Global\\quorvalis-contract-long", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    if (*row.held) mutex_world::hold(row.held);
    set_last_error(0xDEADBEEFu);
    const Handle mutex = open_mutex(kSynchronize, false, row.opened);
    if (row.opens) {
      EXPECT_NE(mutex, kNullHandle);
      if (mutex != kNullHandle) {
        EXPECT_TRUE(close_handle(mutex));
      }
    } else {
      EXPECT_EQ(mutex, kNullHandle);
      EXPECT_EQ(last_error(), kErrorFileNotFound);
    }
  }
}

// Whether someone owns a mutex is told by a wait that does not wait: it times out on an
// owned one, and makes the caller the owner of a free one until it releases it.
TEST_F(MutexContract, AWaitThatDoesNotWaitTellsWhetherSomeoneOwnsIt) {
  struct Row {
    const char* name;
    bool owned_elsewhere;
    std::uint32_t wait;
  };
  const Row rows[] = {{"owned by another thread", true, kWaitTimeout},
                      {"owned by nobody", false, kWaitObject0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string name = std::string("Global\\quorvalis-contract-wait-") +
                             (row.owned_elsewhere ? "owned" : "free");
    if (row.owned_elsewhere) {
      mutex_world::hold(name);
    } else {
      mutex_world::exist(name);
    }
    const Handle mutex = open_mutex(kSynchronize | kMutexModifyState, false, name);
    ASSERT_NE(mutex, kNullHandle);
    EXPECT_EQ(wait_for_single_object(mutex, 0), row.wait);
    if (row.wait == kWaitObject0) {
      EXPECT_TRUE(release_mutex(mutex));
    }
    // Releasing what this thread does not own fails.
    set_last_error(0xDEADBEEFu);
    EXPECT_FALSE(release_mutex(mutex));
    EXPECT_EQ(last_error(), kErrorNotOwner);
    EXPECT_TRUE(close_handle(mutex));
  }
}

}  // namespace
