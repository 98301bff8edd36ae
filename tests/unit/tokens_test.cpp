#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fonction.h"

namespace {

TEST(StrToken, CutsTheFirstTokenAndTheSeparatorOff) {
  struct Row {
    const char* name;
    std::string text, token, rest;
  };
  const std::vector<Row> rows = {
      {"middle", "a;b;c", "a", "b;c"},
      {"no separator", "abc", "abc", ""},
      {"leading separator", ";a", "", "a"},
      {"trailing separator", "a;", "a", ""},
      {"only a separator", ";", "", ""},
      {"empty", "", "", ""},
      {"longer token", "first part;x", "first part", "x"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::string text = row.text;
    EXPECT_EQ(STRTOKEN(text, ';'), row.token);
    EXPECT_EQ(text, row.rest);
  }
}

TEST(StrToken, OtherSeparatorsLeaveSemicolonsAlone) {
  std::string text = "a;b,c";
  EXPECT_EQ(STRTOKEN(text, ','), "a;b");
  EXPECT_EQ(text, "c");
}

TEST(StrTokenToStrings, SplitsEveryTokenIncludingEmptyOnes) {
  struct Row {
    const char* name;
    std::string text;
    std::vector<std::string> items;
  };
  const std::vector<Row> rows = {
      {"two", "a;b", {"a", "b"}},
      {"empty between", "a;;b", {"a", "", "b"}},
      {"trailing separator adds nothing", "a;", {"a"}},
      {"leading separator", ";a", {"", "a"}},
      {"two separators", ";;", {"", ""}},
      {"one item", "*.txt", {"*.txt"}},
      {"empty text", "", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    StringList list;
    list.add("stale");
    STRTOKENTOSTRINGS(row.text, ';', &list);
    EXPECT_EQ(list.items(), row.items);
    EXPECT_FALSE(list.updating());
  }
}

TEST(StrTokenToStrings, LeavesTheCallersTextAndOuterBracketAlone) {
  const std::string text = "a;b";
  StringList list;
  list.begin_update();
  STRTOKENTOSTRINGS(text, ';', &list);
  EXPECT_EQ(text, "a;b");
  EXPECT_TRUE(list.updating());  // the helper's own bracket is closed, the caller's stays
  list.end_update();
  EXPECT_FALSE(list.updating());
  STRTOKENTOSTRINGS("x", ';', nullptr);  // no list: nothing happens
}

}  // namespace
