#include <gtest/gtest.h>

#include "fonction.h"

namespace {

TEST(CaseMap, UpperSectionFollowsTheCodePage) {
  struct Row {
    unsigned char in, out;
  };
  for (const auto& row : {Row{'a', 'A'}, Row{'z', 'Z'}, Row{'A', 'A'}, Row{'1', '1'},
                          Row{0xE9, 0xC9}, Row{0xFF, 0x9F}, Row{0x9A, 0x8A}, Row{0xDF, 0xDF},
                          Row{0xF7, 0xF7}, Row{0xB5, 0xB5}}) {
    SCOPED_TRACE(static_cast<int>(row.in));
    EXPECT_EQ(static_cast<unsigned char>(ANSICASEMAP[ANSIUPOFFSET + row.in]), row.out);
  }
  EXPECT_EQ(STRUPPER("Caf\xE9 menu"), "CAF\xC9 MENU");
  EXPECT_EQ(STRUPPER(""), "");
  std::string text = "abc";
  STRUPPERINPLACE(text);
  EXPECT_EQ(text, "ABC");
}

TEST(CaseSearch, PositionsIgnoreLetterCase) {
  EXPECT_EQ(STRIPOS("exe", "MsiExec.EXE /I"), 4);
  EXPECT_EQ(STRIPOS(".exe", "MsiExec.EXE /I"), 8);
  EXPECT_EQ(STRIPOS("", "anything"), 0);
  EXPECT_EQ(STRIPOS("x", ""), 0);
  EXPECT_EQ(STRFIND("b", "abcb", 1), 2);
  EXPECT_EQ(STRFIND("b", "abcb", 3), 4);  // a position in the whole text
  EXPECT_EQ(STRFIND("b", "abcb", 5), 0);
  EXPECT_EQ(STRFIND("", "abc", 1), 0);
  EXPECT_EQ(STRRESTOF("abcdef", 3), "cdef");
  EXPECT_EQ(STRRESTOF("abc", 4), "");
}

TEST(CaseSearch, StrAfterTakesTheTailAfterTheFirstOccurrence) {
  const std::string code = "{12345678-ABCD-ef01-2345-6789ABCDEF01}";
  struct Row {
    const char* name;
    std::string substr, text, expected;
  };
  const Row rows[] = {
      {"product code", "MsiExec.exe /I", "MsiExec.exe /I" + code, code},
      {"command in capitals", "MsiExec.exe /I", "MSIEXEC.EXE /I" + code, code},
      {"command in small letters", "MsiExec.exe /I", "msiexec.exe /i" + code, code},
      {"other switch", "MsiExec.exe /I", "MsiExec.exe /X" + code, ""},
      {"after first blank", " ", "MsiExec.exe /I" + code, "/I" + code},
      {"only the first occurrence", " ", "a b c", "b c"},
      {"no blank", " ", "MsiExec.exe", ""},
      {"found at the very end", "/I", "MsiExec.exe /I", ""},
      {"empty search", "", "abc", ""},
      {"empty text", "a", "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(STRAFTER(row.substr, row.text), row.expected);
  }
}

}  // namespace
