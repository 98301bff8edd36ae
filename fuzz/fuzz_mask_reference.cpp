// STRMATCHES against an independent glob matcher ("*" any run, "?" one character).
// The project's matcher is not changed here: known kinds of disagreement are counted
// and their first examples printed; a disagreement of any other kind stops the run.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fonction.h"
#include "fuzz_check.h"

namespace {

// Dynamic programming over positions: no backtracking to get wrong.
bool glob(const std::string& mask, const std::string& text) {
  std::vector<bool> row(text.size() + 1, false), next(text.size() + 1);
  row[0] = true;
  for (char m : mask) {
    std::fill(next.begin(), next.end(), false);
    for (std::size_t j = 0; j <= text.size(); ++j) {
      if (m == '*') {
        next[j] = row[j] || (j > 0 && next[j - 1]);
      } else if (j > 0) {
        next[j] = row[j - 1] && (m == '?' || m == text[j - 1]);
      }
    }
    row.swap(next);
  }
  return row[text.size()];
}

std::string cut_at_nul(const std::string& text) { return text.substr(0, text.find('\0')); }

std::string shown(const std::string& text) {
  std::string out;
  for (const char byte : text) {
    const auto c = static_cast<unsigned char>(byte);
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += byte;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

void note(int kind, const char* name, const std::string& mask, const std::string& text, bool project) {
  static long seen[2] = {};
  if (seen[kind]++ < 3)
    std::fprintf(stderr, "disagreement (%s): mask \"%s\" text \"%s\": STRMATCHES %d, glob %d\n", name,
                 shown(mask).c_str(), shown(text).c_str(), project, !project);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string mask = input.ConsumeRandomLengthString(24);
  const std::string text = input.ConsumeRemainingBytesAsString().substr(0, 48);
  if (mask.empty() || text.empty()) return 0;  // the raising and trivial cases

  const bool project = STRMATCHES(mask, text, 1);
  if (project == glob(mask, text)) return 0;
  // Kind 1: both texts end at their first NUL for the project's matcher.
  const std::string mask_cut = cut_at_nul(mask), text_cut = cut_at_nul(text);
  if ((mask_cut != mask || text_cut != text) && project == glob(mask_cut, text_cut))
    return note(0, "a NUL ends the text", mask, text, project), 0;
  // Kind 2: a "?" right after a "*" is not tried at later positions: missed matches.
  if (!project && mask_cut.find("*?") != std::string::npos)
    return note(1, "\"*?\" misses matches", mask, text, project), 0;
  std::fprintf(stderr, "new disagreement: mask \"%s\" text \"%s\": STRMATCHES %d\n", shown(mask).c_str(),
               shown(text).c_str(), project);
  FUZZ_CHECK(false && "a disagreement of a new kind");
  return 0;
}
