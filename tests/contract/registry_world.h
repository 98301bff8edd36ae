// Sets up the registry a contract case reads: the sim's machine on the host, the
// Wine prefix's real registry under Wine. Paths are "\"-separated and relative to
// the root given (HKLM or HKCR); names are ASCII; data is the raw stored bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry_calls.h"
#include "platform/types.h"

namespace world {

// True in the build whose cases run against Wine's implementation.
extern const bool kUnderWine;

// A clean start for one case: a fresh machine on the host; nothing under Wine, where
// each case removes its own keys.
void begin();

// Creates the key and every missing parent.
void create_key(platform::RegKey root, const std::string& path);
// Stores `bytes` exactly as given (strings: UTF-16LE, with or without their NUL).
void set_value(platform::RegKey root, const std::string& path, const std::string& name,
               std::uint32_t type, const std::string& bytes);
// Removes the key with everything below it; a missing key is no error.
void delete_tree(platform::RegKey root, const std::string& path);

// Stores a REG_SZ in the view an open with `view_flag` reaches (KEY_WOW64_64KEY,
// KEY_WOW64_32KEY or 0 for the program's own), and removes a tree from it.
void set_string_in_view(platform::RegKey root, const std::string& path, const std::string& name,
                        const std::string& ascii_text, std::uint32_t view_flag);
void delete_tree_in_view(platform::RegKey root, const std::string& path, std::uint32_t view_flag);

// The kinds of Windows a case can meet: under Wine only the prefix's own (become() then
// changes nothing); on the host the sim becomes each of them in turn.
struct WindowsKind {
  const char* name;
  bool windows_64_bit, program_64_bit;
};
std::vector<WindowsKind> windows_kinds();
void become(const WindowsKind& kind);

// The system's ANSI code page (GetACP).
std::uint32_t ansi_code_page();

// UTF-16LE bytes of `text`, optionally with the terminating NUL, as RegSetValueExW stores them.
inline std::string utf16_bytes(const std::u16string& text, bool with_nul) {
  std::string bytes;
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  if (with_nul) bytes.append(2, '\0');
  return bytes;
}

}  // namespace world
