#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "errors.h"
#include "fonction.h"

namespace {

struct MatchRow {
  const char* name;
  std::string mask, text;
  int index;
  bool expected;
};

TEST(StrMatches, WalksMaskAndTextFromTheGivenPosition) {
  const std::vector<MatchRow> rows = {
      {"star alone matches empty text", "*", "", 1, true},
      {"star alone matches anything", "*", "abc", 1, true},
      {"star alone ignores a bad index", "*", "abc", 0, true},
      {"other mask on empty text", "a", "", 1, false},
      {"other mask on empty text, index 0", "a", "", 0, false},
      {"other mask on empty text, index past end", "?", "", 7, false},
      {"exact", "abc", "abc", 1, true},
      {"letter case counts", "ABC", "abc", 1, false},
      {"text longer than mask", "ab", "abc", 1, false},
      {"mask longer than text", "abcd", "abc", 1, false},
      {"question mark takes one", "a?c", "abc", 1, true},
      {"question mark never past the end", "ab?", "ab", 1, false},
      {"three question marks, two chars", "???", "ab", 1, false},
      {"trailing star takes the rest", "ab*", "abxyz", 1, true},
      {"trailing star takes nothing", "ab*", "ab", 1, true},
      {"leading star", "*c", "abc", 1, true},
      {"leading star, wrong end", "*c", "abd", 1, false},
      {"star retries after a false start", "*ab", "aab", 1, true},
      {"star in the middle", "a*c", "abbbc", 1, true},
      {"star in the middle, last c counts", "a*c", "acbc", 1, true},
      {"star in the middle, no end", "a*c", "acb", 1, false},
      {"two stars", "a*b*c", "axbyc", 1, true},
      {"two stars, wrong end", "a*b*c", "axbyd", 1, false},
      {"star then question mark at the end", "*?", "abc", 1, true},
      {"star then question mark needs a char", "*?", "x", 1, true},
      {"from a later position", "c", "abc", 3, true},
      {"from a later position, star", "b*", "abc", 2, true},
      {"from a later position, head ignored", "abc", "abc", 2, false},
      // The walk reuses the "?" after a "*" when it retries, so a later occurrence
      // is not found where a textbook matcher would find it.
      {"star, question mark, char: first try only", "*?a", "aaa", 1, false},
      {"star, question mark, char: first try works", "*?a", "ba", 1, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(STRMATCHES(row.mask, row.text, row.index), row.expected);
  }
}

TEST(StrMatches, RaisesForABlankMaskOrAPositionOutsideTheText) {
  struct Row {
    const char* name;
    std::string mask, text;
    int index;
    const char* message;
  };
  const std::vector<Row> rows = {
      {"blank mask", "", "abc", 1, RSBLANKSEARCHSTRING},
      {"blank mask, empty text", "", "", 1, RSBLANKSEARCHSTRING},
      {"index 0", "a", "abc", 0, RSARGUMENTOUTOFRANGE},
      {"negative index", "a", "abc", -1, RSARGUMENTOUTOFRANGE},
      {"index past the end", "a", "abc", 4, RSARGUMENTOUTOFRANGE},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    try {
      STRMATCHES(row.mask, row.text, row.index);
      ADD_FAILURE() << "no error raised";
    } catch (const EJclStringError& error) {
      EXPECT_EQ(error.message(), row.message);
      EXPECT_EQ(error.class_name(), "EJclStringError");
    }
  }
}

TEST(IsFileNameMatch, MatchesFileNamesTheWayTheRemovalNeedsThem) {
  struct Row {
    const char* name;
    std::string file, mask;
    bool case_sensitive, expected;
  };
  const std::vector<Row> rows = {
      {"empty mask", "a.txt", "", false, true},
      {"star", "a.txt", "*", true, true},
      {"star dot star", "README", "*.*", true, true},
      {"no extension matches star dot", "README", "*.", false, true},
      {"an extension does not", "a.txt", "*.", false, false},
      {"extension, any case", "A.TXT", "*.txt", false, true},
      {"extension, case counts", "A.TXT", "*.txt", true, false},
      {"extension, same case", "a.txt", "*.txt", true, true},
      {"wrong extension", "a.doc", "*.txt", false, false},
      {"prefix", "soffice.bin", "SOFF*", false, true},
      {"question marks", "ab.c", "??.?", false, true},
      {"ANSI letters", "\xE9t\xE9.txt", "\xC9T\xC9.TXT", false, true},
      {"ANSI letters, case counts", "\xE9t\xE9.txt", "\xC9T\xC9.TXT", true, false},
      // The added "." makes an exact mask miss a name without an extension.
      {"exact name without extension", "README", "README", false, false},
      {"exact name without extension, with its dot", "README", "readme.", false, true},
      {"exact name with extension", "setup.exe", "SETUP.EXE", false, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ISFILENAMEMATCH(row.file, row.mask, row.case_sensitive), row.expected);
  }
}

}  // namespace
