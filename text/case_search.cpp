// Substring search without regard to letter case, through the helpers' own case map.
#include "fonction.h"
#include "platform/codepage.h"

char ANSICASEMAP[ANSICASEMAPSIZE];

namespace {

// Fills the map when the helper unit starts: identity, upper case, lower case.
struct CaseMapFiller {
  CaseMapFiller() {
    for (int c = 0; c < ANSICHARCOUNT; ++c) {
      const char code = static_cast<char>(c);
      ANSICASEMAP[c] = code;
      ANSICASEMAP[ANSIUPOFFSET + c] = code;
      ANSICASEMAP[2 * ANSICHARCOUNT + c] = code;
    }
    platform::char_upper_buff(ANSICASEMAP + ANSIUPOFFSET, ANSICHARCOUNT);
    platform::char_lower_buff(ANSICASEMAP + 2 * ANSICHARCOUNT, ANSICHARCOUNT);
  }
} const case_map_filler;

// Delphi-style Copy from a 1-based position: positions before 1 count as 1.
std::string rest_from(const std::string& S, int index) {
  const std::size_t start = index < 1 ? 0 : static_cast<std::size_t>(index - 1);
  return start >= S.size() ? std::string() : S.substr(start);
}

}  // namespace

void STRCASE(std::string& STR, int OFFSET) {
  // std::string is already private to its owner; no copy-on-write step is needed.
  for (char& c : STR) c = ANSICASEMAP[OFFSET + static_cast<unsigned char>(c)];
}

void STRUPPERINPLACE(std::string& S) { STRCASE(S, ANSIUPOFFSET); }

std::string STRUPPER(const std::string& S) {
  std::string result = S;
  STRUPPERINPLACE(result);
  return result;
}

int STRIPOS(const std::string& SUBSTR, const std::string& S) {
  if (SUBSTR.empty()) return 0;
  const std::size_t at = STRUPPER(S).find(STRUPPER(SUBSTR));
  return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

int STRFIND(const std::string& SUBSTR, const std::string& S, int INDEX) {
  if (SUBSTR.empty() || S.empty()) return 0;
  const int P = STRIPOS(SUBSTR, rest_from(S, INDEX));
  const int from = INDEX < 1 ? 1 : INDEX;
  return P == 0 ? 0 : P + from - 1;
}

std::string STRRESTOF(const std::string& S, int N) { return rest_from(S, N); }

std::string STRAFTER(const std::string& SUBSTR, const std::string& S) {
  const int P = STRFIND(SUBSTR, S, 1);
  if (P <= 0) return {};
  return STRRESTOF(S, P + static_cast<int>(SUBSTR.size()));
}
