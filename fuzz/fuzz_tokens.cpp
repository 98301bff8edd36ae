// The token splitter: joining the items with the separator gives back the text
// without one trailing separator; a single token and the rest rebuild the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fonction.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const char separator = static_cast<char>(data[0]);
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

  StringList list;
  list.add("left over from before");
  STRTOKENTOSTRINGS(text, separator, &list);
  FUZZ_CHECK(!list.updating());
  std::string joined;
  for (int i = 0; i < list.count(); ++i) joined += (i ? std::string(1, separator) : "") + list[i];
  std::string expected = text;
  if (!expected.empty() && expected.back() == separator) expected.pop_back();
  FUZZ_CHECK(joined == expected);
  FUZZ_CHECK(text.empty() == (list.count() == 0));

  std::string rest = text;
  const std::string token = STRTOKEN(rest, separator);
  FUZZ_CHECK(token.find(separator) == std::string::npos);
  FUZZ_CHECK(text.find(separator) == std::string::npos ? token == text && rest.empty()
                                                       : token + separator + rest == text);
  return 0;
}
