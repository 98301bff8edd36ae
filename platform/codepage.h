// Letter case and text conversion in the system's ANSI code page.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"

namespace platform {

// CharUpperBuffA / CharLowerBuffA over `length` bytes in place.
void char_upper_buff(char* buffer, std::uint32_t length);
void char_lower_buff(char* buffer, std::uint32_t length);

// WideCharToMultiByte(CP_ACP) and MultiByteToWideChar(CP_ACP); embedded NULs are kept.
std::string wide_to_ansi(const WideString& text);
WideString ansi_to_wide(const std::string& text);
// MultiByteToWideChar(CP_UTF8); invalid sequences become U+FFFD.
WideString utf8_to_wide(const std::string& text);

}  // namespace platform
