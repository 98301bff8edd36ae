// Letter case and text conversion in the system's ANSI code page.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"

namespace platform {

// CharUpperBuffA / CharLowerBuffA over `length` bytes in place.
void char_upper_buff(char* buffer, std::uint32_t length);
void char_lower_buff(char* buffer, std::uint32_t length);

// Copies of `text` upper- or lower-cased by the code page's rules (the calls above).
inline std::string ansi_upper(std::string text) {
  char_upper_buff(text.data(), static_cast<std::uint32_t>(text.size()));
  return text;
}
inline std::string ansi_lower(std::string text) {
  char_lower_buff(text.data(), static_cast<std::uint32_t>(text.size()));
  return text;
}

// WideCharToMultiByte(CP_ACP) and MultiByteToWideChar(CP_ACP); embedded NULs are kept.
std::string wide_to_ansi(const WideString& text);
WideString ansi_to_wide(const std::string& text);
// MultiByteToWideChar(CP_UTF8); invalid sequences become U+FFFD.
WideString utf8_to_wide(const std::string& text);

}  // namespace platform
