// The error box over user32, and whether the window station is shown to anybody.
#include "platform/message_box.h"

#include "platform/win32/windows_gateway.h"

namespace platform {

int message_box(const std::string& text, const std::string& caption, std::uint32_t type) {
  return MessageBoxA(nullptr, text.c_str(), caption.c_str(), type);
}

bool window_station_visible() {
  USEROBJECTFLAGS flags{};
  DWORD needed = 0;
  if (!GetUserObjectInformationA(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags,
                                 &needed))
    return true;  // unknown: rather show a box than hide the error
  return (flags.dwFlags & WSF_VISIBLE) != 0;
}

}  // namespace platform
