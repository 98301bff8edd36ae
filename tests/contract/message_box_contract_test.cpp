// Whether an error box could be seen. No box is shown here: under Wine there is no
// display to show it on.
#include <gtest/gtest.h>

#include "platform/message_box.h"
#include "tests/contract/registry_world.h"

namespace {

TEST(MessageBoxContract, ADesktopSessionsWindowStationIsVisible) {
  world::begin();
  // Wine's only window station, WinSta0, carries WSF_VISIBLE even without a display,
  // as an interactive session's does on Windows; session 0's would not.
  EXPECT_TRUE(platform::window_station_visible());
}

}  // namespace
