// Letter case and conversions in the ANSI code page answer as user32 and kernel32 do
// in an English system, whose ANSI code page is 1252.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "platform/codepage.h"
#include "tests/contract/registry_world.h"

using namespace platform;

namespace {

// Code page 1252's characters at 0x80-0x9F; the five bytes it leaves undefined come
// back as the C1 control of the same number.
constexpr std::array<char16_t, 32> k1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t unicode_of(int byte) {
  return byte >= 0x80 && byte <= 0x9F ? k1252High[static_cast<std::size_t>(byte - 0x80)]
                                      : static_cast<char16_t>(byte);
}

std::string all_bytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

// The letter pairs of 1252 (upper, lower); every other byte has no other case.
std::map<int, int> upper_of_lower() {
  std::map<int, int> pairs;
  for (int b = 'a'; b <= 'z'; ++b) pairs[b] = b - 32;
  for (int b = 0xE0; b <= 0xFE; ++b)
    if (b != 0xF7) pairs[b] = b - 32;  // 0xF7 is the division sign
  pairs[0x9A] = 0x8A;  // š Š
  pairs[0x9C] = 0x8C;  // œ Œ
  pairs[0x9E] = 0x8E;  // ž Ž
  pairs[0xFF] = 0x9F;  // ÿ Ÿ
  return pairs;
}

TEST(CodePageContract, AnsiCodePageIs1252) {
  EXPECT_EQ(world::ansi_code_page(), 1252u);
  const WideString wide = ansi_to_wide(all_bytes());
  ASSERT_EQ(wide.size(), 256u);
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    EXPECT_EQ(static_cast<int>(wide[static_cast<std::size_t>(b)]), static_cast<int>(unicode_of(b)));
  }
}

TEST(CodePageContract, EveryByteRoundTrips) {
  const std::string bytes = all_bytes();  // NUL included: lengths are explicit
  EXPECT_EQ(wide_to_ansi(ansi_to_wide(bytes)), bytes);
  WideString wide;
  for (int b = 0; b < 256; ++b) wide += unicode_of(b);
  EXPECT_EQ(wide_to_ansi(wide), bytes);
  EXPECT_EQ(ansi_to_wide(std::string("a\0b", 3)), WideString(u"a\0b", 3));
  EXPECT_EQ(wide_to_ansi(WideString(u"a\0b", 3)), std::string("a\0b", 3));
  EXPECT_EQ(ansi_to_wide(""), u"");
  EXPECT_EQ(wide_to_ansi(u""), "");
}

TEST(CodePageContract, CaseMappingOfEveryByte) {
  const std::map<int, int> pairs = upper_of_lower();
  std::map<int, int> lower_of_upper;
  for (const auto& [lower, upper] : pairs) lower_of_upper[upper] = lower;

  std::string upper = all_bytes();
  std::string lower = all_bytes();
  char_upper_buff(upper.data(), static_cast<std::uint32_t>(upper.size()));
  char_lower_buff(lower.data(), static_cast<std::uint32_t>(lower.size()));
  ASSERT_EQ(upper.size(), 256u);
  ASSERT_EQ(lower.size(), 256u);
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    const auto up = pairs.find(b);
    const auto down = lower_of_upper.find(b);
    EXPECT_EQ(static_cast<unsigned char>(upper[static_cast<std::size_t>(b)]),
              up == pairs.end() ? b : up->second);
    EXPECT_EQ(static_cast<unsigned char>(lower[static_cast<std::size_t>(b)]),
              down == lower_of_upper.end() ? b : down->second);
  }
}

TEST(CodePageContract, CaseMappingStaysWithinItsLength) {
  char text[] = "abc\0def";
  char_upper_buff(text, 5);  // across the NUL, not beyond the length
  EXPECT_EQ(std::string(text, 7), std::string("ABC\0Def", 7));
  char_lower_buff(text, 2);
  EXPECT_EQ(std::string(text, 7), std::string("abC\0Def", 7));
}

TEST(CodePageContract, CharactersOutside1252) {
  struct Row {
    const char* name;
    WideString text;
    std::string expected;
  };
  const std::vector<Row> rows = {
      {"CJK ideograph has no look-alike", u"\u4E2D", "?"},
      {"among other text", u"a\u4E2Db", "a?b"},
      {"Cyrillic letter", u"\u0416", "?"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(wide_to_ansi(row.text), row.expected);
  }
  // Windows maps some characters to a look-alike ("best fit"): A with macron becomes
  // "A". The sim gives "?" instead; the logic only converts names it read as ANSI.
  EXPECT_EQ(wide_to_ansi(u"\u0100"), world::kUnderWine ? "A" : "?");
}

TEST(CodePageContract, Utf8ToWide) {
  struct Row {
    const char* name;
    std::string text;
    WideString expected;
  };
  const std::vector<Row> rows = {
      {"ASCII", "Suite 7", u"Suite 7"},
      {"two-byte sequence", "\xC3\xA9t\xC3\xA9", u"\u00E9t\u00E9"},
      {"three-byte sequence", "\xE4\xB8\xAD", u"\u4E2D"},
      {"four-byte sequence", "\xF0\x9F\x98\x80", u"\U0001F600"},
      {"embedded NUL", std::string("a\0b", 3), WideString(u"a\0b", 3)},
      {"largest character", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
      {"empty", "", u""},
      // Ill-formed input: one U+FFFD for each piece the converter cuts it into.
      {"byte that starts nothing", "a\xFF" "b", u"a\uFFFDb"},
      {"lone continuation byte", "\x80", u"\uFFFD"},
      {"overlong two-byte form", "\xC0\x80", u"\uFFFD\uFFFD"},
      {"overlong three-byte form", "\xE0\x80\x80", u"\uFFFD\uFFFD"},
      {"overlong four-byte form", "\xF0\x80\x80\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD"},
      {"past U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"sequence cut by a letter", "\xC3" "ab", u"\uFFFDab"},
      {"longer sequence cut by letters", "\xF0\x9F\x98" "ab", u"\uFFFDab"},
      {"sequence cut by the end", "x\xE4\xB8", u"x\uFFFD"},
      // Cut short by the end, the sequence takes what is left, letters too.
      {"end comes before the sequence could", "\xE4" "a", u"\uFFFD"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(utf8_to_wide(row.text), row.expected);
  }
}

}  // namespace
