// The bootstrap reader over any bytes: a value is one line's text, the first key of
// the first section of the name wins, and the reader never fails.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "records/ini_file.h"

namespace {

const std::string kDefault = "\x01<default>";

bool has_mark(const std::string& bytes) {
  return bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0 ||
         bytes.rfind("\xEF\xBB\xBF", 0) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string value = ini_value_from_bytes(bytes, "Bootstrap", "ProductKey", kDefault);
  FUZZ_CHECK(value == ini_value_from_bytes(bytes, "Bootstrap", "ProductKey", kDefault));
  if (value != kDefault) {
    FUZZ_CHECK(value.find_first_of("\r\n") == std::string::npos);
    if (!has_mark(bytes)) FUZZ_CHECK(bytes.find(value) != std::string::npos);
  }
  // Names come from the text too: the first line's first and second halves.
  const std::string line = bytes.substr(0, bytes.find_first_of("\r\n"));
  ini_value_from_bytes(bytes, line.substr(0, line.size() / 2), line.substr(line.size() / 2), kDefault);
  if (!has_mark(bytes)) {
    // A section ahead of everything else answers first, whatever follows.
    FUZZ_CHECK(ini_value_from_bytes("[Bootstrap]\nProductKey=first\n" + bytes, "bootstrap",
                                    "PRODUCTKEY", kDefault) == "first");
  }
  return 0;
}
