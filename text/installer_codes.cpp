#include "text/installer_codes.h"

#include <algorithm>

namespace {

constexpr std::size_t kCodeLength = 38;

bool is_hex_digit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool is_hyphen_position(std::size_t at) { return at == 9 || at == 14 || at == 19 || at == 24; }

}  // namespace

bool is_installer_code(const std::string& text) {
  if (text.size() != kCodeLength || text.front() != '{' || text.back() != '}') return false;
  for (std::size_t at = 1; at + 1 < kCodeLength; ++at)
    if (is_hyphen_position(at) ? text[at] != '-' : !is_hex_digit(text[at])) return false;
  return true;
}

std::string packed_installer_code(const std::string& code) {
  if (!is_installer_code(code)) return {};
  std::string packed;
  // The three groups read as numbers (8, 4 and 4 digits), written least significant
  // digit first.
  for (const auto& [first, length] :
       {std::pair<std::size_t, std::size_t>{1, 8}, {10, 4}, {15, 4}}) {
    std::string group = code.substr(first, length);
    std::reverse(group.begin(), group.end());
    packed += group;
  }
  // The last eight bytes, each written low digit first.
  std::string bytes = code.substr(20, 4) + code.substr(25, 12);
  for (std::size_t at = 0; at < bytes.size(); at += 2) std::swap(bytes[at], bytes[at + 1]);
  return packed + bytes;
}
