// The case-insensitive search and tail helpers against a plain reference: compare
// byte by byte after the code page's upper-casing, one position at a time.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "fonction.h"
#include "fuzz_check.h"
#include "platform/codepage.h"

namespace {

char upper(char c) {
  platform::char_upper_buff(&c, 1);
  return c;
}

// 1-based position of the first match at or after `from` (1-based), 0 for none.
int reference_find(const std::string& sub, const std::string& text, std::size_t from) {
  if (sub.empty()) return 0;
  for (std::size_t at = from - 1; at + sub.size() <= text.size(); ++at) {
    std::size_t k = 0;
    while (k < sub.size() && upper(text[at + k]) == upper(sub[k])) ++k;
    if (k == sub.size()) return static_cast<int>(at) + 1;
  }
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string sub = input.ConsumeRandomLengthString(32);
  const std::string text = input.ConsumeRandomLengthString(128);
  const int index = input.ConsumeIntegralInRange<int>(-3, static_cast<int>(text.size()) + 3);

  FUZZ_CHECK(STRIPOS(sub, text) == reference_find(sub, text, 1));

  const std::size_t from = index < 1 ? 1 : static_cast<std::size_t>(index);
  const int expected = text.empty() || from > text.size() ? 0 : reference_find(sub, text, from);
  FUZZ_CHECK(STRFIND(sub, text, index) == expected);

  const int at = reference_find(sub, text, 1);
  const std::string after = at == 0 ? std::string() : text.substr(static_cast<std::size_t>(at) - 1 + sub.size());
  FUZZ_CHECK(STRAFTER(sub, text) == after);

  std::string upper_text = text;
  for (char& c : upper_text) c = upper(c);
  FUZZ_CHECK(STRUPPER(text) == upper_text);
  return 0;
}
