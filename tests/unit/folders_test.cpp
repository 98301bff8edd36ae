#include <gmock/gmock.h>

#include <functional>
#include <string>
#include <vector>

#include "fonction.h"
#include "platform/folder_calls.h"
#include "sim_test.h"

namespace {

class FoldersTest : public SimTest {};

TEST_F(FoldersTest, TrailingSeparatorRules) {
  struct Row {
    const char* name;
    std::string path, added, removed, included;
  };
  const std::vector<Row> rows = {
      {"no separator", "C:\\x", "C:\\x\\", "C:\\x", "C:\\x\\"},
      {"one backslash", "C:\\x\\", "C:\\x\\", "C:\\x", "C:\\x\\"},
      {"two backslashes: one is removed", "C:\\x\\\\", "C:\\x\\\\", "C:\\x\\", "C:\\x\\\\"},
      {"empty", "", "\\", "", "\\"},
      {"a slash is no separator but for the delimiter rule", "C:\\x/", "C:\\x/\\", "C:\\x/",
       "C:\\x/"},
      {"drive root", "C:\\", "C:\\", "C:", "C:\\"},
      {"single backslash", "\\", "\\", "", "\\"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(PATHADDSEPARATOR(row.path), row.added);
    EXPECT_EQ(PATHREMOVESEPARATOR(row.path), row.removed);
    EXPECT_EQ(INCLUDETRAILINGPATHDELIMITER(row.path), row.included);
  }
}

TEST_F(FoldersTest, ResetLengthCutsAtTheFirstNul) {
  struct Row {
    const char* name;
    std::string text, expected;
  };
  const std::vector<Row> rows = {
      {"no NUL", "abc", "abc"},
      {"NUL inside", std::string("abc\0def", 7), "abc"},
      {"several NULs", std::string("ab\0\0c\0", 6), "ab"},
      {"NUL first", std::string("\0abc", 4), ""},
      {"buffer of NULs", std::string(260, '\0'), ""},
      {"empty", "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::string text = row.text;
    STRRESETLENGTH(text);
    EXPECT_EQ(text, row.expected);
  }
}

TEST_F(FoldersTest, SystemFolder) {
  struct Row {
    const char* name;
    std::string system_directory;
    int failing_call;  // 0: none; 1 or 2: that GetSystemDirectoryA call fails
    std::string expected;
  };
  const std::string deep = "D:\\" + std::string(250, 's');
  const std::vector<Row> rows = {
      {"the machine's", "C:\\Windows\\system32", 0, "C:\\Windows\\system32"},
      {"another drive", "D:\\WINNT\\System32", 0, "D:\\WINNT\\System32"},
      {"a long one", deep, 0, deep},
      {"none: the call answers 0", "", 0, ""},
      {"the size query fails", "C:\\Windows\\system32", 1, ""},
      {"the copy fails", "C:\\Windows\\system32", 2, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::Machine& machine = sim::reset();
    machine.system_directory = row.system_directory;
    if (row.failing_call) machine.fail(sim::Call::GetSystemDirectory, 8, row.failing_call);
    EXPECT_EQ(GETWINDOWSSYSTEMFOLDER(), row.expected);
  }
}

TEST_F(FoldersTest, ShellFoldersByName) {
  struct Row {
    const char* name;
    std::function<std::string()> get;
    int csidl;
  };
  const std::vector<Row> rows = {
      {"common desktop", GETCOMMONDESKTOPDIRECTORYFOLDER, platform::kCsidlCommonDesktopDirectory},
      {"common programs", GETCOMMONPROGRAMSFOLDER, platform::kCsidlCommonPrograms},
      {"startup", GETSTARTUPFOLDER, platform::kCsidlStartup},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::Machine& machine = sim::reset();
    EXPECT_EQ(row.get(), machine.shell_folders.at(row.csidl));
    EXPECT_TRUE(machine.folder_exists(row.get()));
    machine.shell_folders[row.csidl] = "E:\\Elsewhere\\" + std::string(row.name);
    EXPECT_EQ(row.get(), "E:\\Elsewhere\\" + std::string(row.name));
    EXPECT_EQ(machine.open_handles(sim::Machine::HandleKind::ItemList), 0);
  }
}

TEST_F(FoldersTest, UnresolvedShellFolderGivesEmptyTextAndFreesTheList) {
  struct Row {
    const char* name;
    std::function<void(sim::Machine&)> arrange;
    int locations_asked, paths_asked;
  };
  const int csidl = platform::kCsidlCommonPrograms;
  const std::vector<Row> rows = {
      {"missing", [&](sim::Machine& machine) { machine.shell_folders.erase(csidl); }, 1, 0},
      {"mapped to nothing", [&](sim::Machine& machine) { machine.shell_folders[csidl] = ""; }, 1,
       0},
      {"location refused",
       [](sim::Machine& machine) {
         machine.fail(sim::Call::ShGetSpecialFolderLocation, 0x80070005u);
       },
       1, 0},
      {"path conversion refused",
       [](sim::Machine& machine) { machine.fail(sim::Call::ShGetPathFromIdList, 5); }, 1, 1},
      {"path too long for MAX_PATH",
       [&](sim::Machine& machine) {
         machine.shell_folders[csidl] = "C:\\" + std::string(257, 'p');
       },
       1, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::Machine& machine = sim::reset();
    row.arrange(machine);
    EXPECT_EQ(GETSPECIALFOLDERLOCATION(csidl), "");
    EXPECT_EQ(machine.call_count(sim::Call::ShGetSpecialFolderLocation), row.locations_asked);
    EXPECT_EQ(machine.call_count(sim::Call::ShGetPathFromIdList), row.paths_asked);
    EXPECT_EQ(machine.open_handles(sim::Machine::HandleKind::ItemList), 0);
  }
}

TEST_F(FoldersTest, LongestPathThatFitsIsKept) {
  const std::string path = "C:\\" + std::string(256, 'p');  // 259 characters and the NUL
  m.shell_folders[platform::kCsidlStartup] = path;
  EXPECT_EQ(GETSTARTUPFOLDER(), path);
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(FoldersTest, PathOfAnUnknownListIsEmpty) {
  EXPECT_EQ(PIDLTOPATH(platform::kNullHandle), "");
  EXPECT_EQ(PIDLTOPATH(0x12345), "");
}

}  // namespace
