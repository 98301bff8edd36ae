// Letter case and conversions in the system's ANSI code page, over user32 and kernel32.
#include "platform/codepage.h"

#include "platform/win32/windows_gateway.h"

namespace platform {

namespace {

// Explicit lengths throughout, so embedded NULs pass through like any other character.
WideString to_wide(UINT code_page, const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int needed = MultiByteToWideChar(code_page, 0, text.data(), size, nullptr, 0);
  if (needed <= 0) return {};
  WideString result(static_cast<std::size_t>(needed), u'\0');
  MultiByteToWideChar(code_page, 0, text.data(), size, reinterpret_cast<LPWSTR>(result.data()),
                      needed);
  return result;
}

}  // namespace

void char_upper_buff(char* buffer, std::uint32_t length) { CharUpperBuffA(buffer, length); }

void char_lower_buff(char* buffer, std::uint32_t length) { CharLowerBuffA(buffer, length); }

std::string wide_to_ansi(const WideString& text) {
  if (text.empty()) return {};
  const auto* source = reinterpret_cast<LPCWCH>(text.data());
  const int size = static_cast<int>(text.size());
  const int needed = WideCharToMultiByte(CP_ACP, 0, source, size, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return {};
  std::string result(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, 0, source, size, result.data(), needed, nullptr, nullptr);
  return result;
}

WideString ansi_to_wide(const std::string& text) { return to_wide(CP_ACP, text); }

WideString utf8_to_wide(const std::string& text) { return to_wide(CP_UTF8, text); }

}  // namespace platform
