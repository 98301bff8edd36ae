// The program's entry, shared by both builds: WinMain calls it on Windows, the tests on
// the host.
#include <cstdio>
#include <new>

#include "errors.h"
#include "platform/message_box.h"
#include "run/run_sequence.h"

namespace {

constexpr int kErrorExitStatus = 217;

int report(const std::string& class_name, const std::string& message, std::uintptr_t address) {
  // Unattended runs (a service or deployment agent in session 0) have nobody to click
  // the box away: showing it there would block the run forever.
  if (platform::window_station_visible())
    platform::message_box(unhandled_error_text(class_name, message, address), "Error",
                          platform::kMbOk | platform::kMbIconError);
  return kErrorExitStatus;
}

}  // namespace

std::string unhandled_error_text(const std::string& class_name, const std::string& message,
                                 std::uintptr_t address) {
  char where[16];
  std::snprintf(where, sizeof where, "%08X", static_cast<unsigned>(address & 0xFFFFFFFFu));
  return "An unhandled exception occurred at $" + std::string(where) + ":\n" + class_name +
         ": " + message;
}

int quorvalis_main(const std::vector<std::string>& arguments) {
  try {
    return RUN_SEQUENCE(arguments);
  } catch (const Exception& error) {
    return report(error.class_name(), error.message(), error.address());
  } catch (const std::bad_alloc&) {
    return report("EOutOfMemory", "Out of memory", 0);
  }
}
