// The error message box and whether anybody could see it.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

inline constexpr std::uint32_t kMbOk = 0x0;
inline constexpr std::uint32_t kMbIconError = 0x10;

// MessageBoxA without an owner window.
int message_box(const std::string& text, const std::string& caption, std::uint32_t type);

// The process's window station is shown to a user (WSF_VISIBLE). False in session 0,
// where a service or deployment agent runs us and a box would wait forever.
bool window_station_visible();

}  // namespace platform
