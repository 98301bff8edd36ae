#include "records/ini_file.h"

#include <string_view>

#include "errors.h"
#include "platform/codepage.h"
#include "platform/file_calls.h"
#include "platform/registry_calls.h"
#include "text/ascii.h"

namespace {

// The text in the ANSI code page: a UTF-16 LE, UTF-16 BE or UTF-8 byte-order mark
// selects that encoding and is skipped; without one the bytes are ANSI already.
std::string to_ansi(const std::string& bytes) {
  auto starts = [&](std::string_view mark) { return std::string_view(bytes).substr(0, mark.size()) == mark; };
  const bool little = starts("\xFF\xFE");
  if (little || starts("\xFE\xFF")) {
    platform::WideString wide;
    wide.reserve(bytes.size() / 2);
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {  // an odd last byte is dropped
      const auto first = static_cast<unsigned char>(bytes[i]);
      const auto second = static_cast<unsigned char>(bytes[i + 1]);
      wide += static_cast<char16_t>(little ? first | second << 8 : first << 8 | second);
    }
    return platform::wide_to_ansi(wide);
  }
  if (starts("\xEF\xBB\xBF")) return platform::wide_to_ansi(platform::utf8_to_wide(bytes.substr(3)));
  return bytes;
}

std::string_view strip(std::string_view text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool same_name(std::string_view a, const std::string& b) {
  return ascii_equal_ignoring_case(std::string(a), b);
}

}  // namespace

std::string ini_value_from_bytes(const std::string& bytes, const std::string& section,
                                 const std::string& key, const std::string& default_value) {
  const std::string text = to_ansi(bytes);
  enum class State { BeforeSection, OtherSection, WantedSection } state = State::BeforeSection;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find_first_of("\r\n", at);
    if (end == std::string::npos) end = text.size();
    const std::string_view line = strip(std::string_view(text).substr(at, end - at));
    at = end;
    if (at < text.size()) at += text.compare(at, 2, "\r\n") == 0 ? 2 : 1;  // CR LF, LF or CR
    if (line.empty()) continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      // Only the first section of the name is searched: a later one ends the search.
      if (state == State::WantedSection) break;
      state = same_name(line.substr(1, line.size() - 2), section) ? State::WantedSection
                                                                  : State::OtherSection;
      continue;
    }
    if (state != State::WantedSection || line.front() == ';') continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || !same_name(strip(line.substr(0, equals)), key)) continue;
    std::string value(strip(line.substr(equals + 1)));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return value;
  }
  return default_value;
}

std::string read_ini_value(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& default_value) {
  if (!platform::file_exists(path)) return default_value;
  std::string bytes;
  if (const std::uint32_t error = platform::read_whole_file(path, bytes); error != 0)
    throw EFOpenError("Unable to open file \"" + path + "\": " + platform::system_message(error));
  return ini_value_from_bytes(bytes, section, key, default_value);
}
