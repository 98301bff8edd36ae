#include "platform/message_box.h"

#include "platform/sim/machine.h"

namespace platform {

int message_box(const std::string& text, const std::string& caption, std::uint32_t type) {
  sim::machine().message_boxes.push_back({text, caption, type});
  return 1;  // IDOK
}

bool window_station_visible() { return sim::machine().interactive; }

}  // namespace platform
