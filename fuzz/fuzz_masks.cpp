// The mask matchers over any texts: EJclStringError only for an empty mask or an
// index outside the text, file-name matching never raises and ignores letter case.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "errors.h"
#include "fonction.h"
#include "fuzz_check.h"
#include "platform/codepage.h"

namespace {

std::string upper(std::string text) {
  platform::char_upper_buff(text.data(), static_cast<std::uint32_t>(text.size()));
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string mask = input.ConsumeRandomLengthString(64);
  const std::string text = input.ConsumeRandomLengthString(64);
  const int index = input.ConsumeIntegralInRange<int>(-2, static_cast<int>(text.size()) + 2);

  const bool may_raise = mask.empty() || (mask != "*" && !text.empty() &&
                                          (index < 1 || index > static_cast<int>(text.size())));
  bool raised = false, matched = false;
  try {
    matched = STRMATCHES(mask, text, index);
  } catch (const EJclStringError&) {
    raised = true;
  }
  FUZZ_CHECK(!raised || may_raise);
  if (mask.empty()) FUZZ_CHECK(raised);
  // Matching from INDEX is matching the rest of the text from its start.
  if (!raised && index > 1 && index <= static_cast<int>(text.size()))
    FUZZ_CHECK(matched == STRMATCHES(mask, text.substr(static_cast<std::size_t>(index - 1)), 1));

  const bool case_sensitive = input.ConsumeBool();
  bool file_match = false;
  try {
    file_match = ISFILENAMEMATCH(text, mask, case_sensitive);
  } catch (...) {
    FUZZ_CHECK(false && "ISFILENAMEMATCH raised");
  }
  if (mask.empty() || mask == "*" || mask == "*.*") FUZZ_CHECK(file_match);
  if (!case_sensitive) {
    FUZZ_CHECK(file_match == ISFILENAMEMATCH(upper(text), mask, false));
    FUZZ_CHECK(file_match == ISFILENAMEMATCH(text, upper(mask), false));
  }
  return 0;
}
