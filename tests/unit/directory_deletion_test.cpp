#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fonction.h"
#include "platform/file_calls.h"
#include "platform/sim/machine.h"

namespace {

using sim::Call;
using Kind = sim::Machine::HandleKind;

class Deletion : public ::testing::Test {
 protected:
  sim::Machine& m = sim::reset();

  // Every path under `prefix`, as the sim's whole-state dump gives it. The helpers
  // work on the current machine, also after a row's own reset.
  static std::vector<std::string> lines_under(const std::string& prefix) {
    std::vector<std::string> lines;
    for (const auto& line : sim::machine().file_lines())
      if (line.rfind(prefix, 0) == 0) lines.push_back(line);
    return lines;
  }

  // C:\t with files of every attribute, a nested folder and a sibling that must stay.
  static void build_tree() {
    sim::Machine& m = sim::machine();
    m.add_file("C:\\t\\plain.txt", "abc");
    m.add_file("C:\\t\\readonly.txt", "r", platform::kFileAttributeReadOnly);
    m.add_file("C:\\t\\hidden.sys", "h",
               platform::kFileAttributeHidden | platform::kFileAttributeSystem);
    m.add_folder("C:\\t\\sub", platform::kFileAttributeHidden);
    m.add_file("C:\\t\\sub\\deep\\x.dll", "x", platform::kFileAttributeReadOnly);
    m.add_folder("C:\\t\\sub\\empty");
    m.add_file("C:\\tother\\stay.txt", "s");
  }
};

TEST_F(Deletion, OptionsBecomeShellFlags) {
  using O = TSHDELETEOPTION;
  struct Row {
    const char* name;
    TSHDELETEOPTIONS options;
    std::uint32_t flags;
  };
  const std::vector<Row> rows = {
      {"none", {}, 0},
      {"silent", {O::DOSILENT}, 0x614},
      {"undo", {O::DOALLOWUNDO}, 0x40},
      {"files only", {O::DOFILESONLY}, 0x80},
      {"silent with undo", {O::DOSILENT, O::DOALLOWUNDO}, 0x654},
      {"all", {O::DOSILENT, O::DOALLOWUNDO, O::DOFILESONLY}, 0x6D4},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(DELETEOPTIONSTOCARDINAL(row.options), row.flags);
  }
}

TEST_F(Deletion, ShDeleteFilesHandsTheShellADoublyClosedList) {
  m.add_file("C:\\t\\a.txt");
  m.add_file("C:\\t\\b.txt");
  EXPECT_TRUE(SHDELETEFILES(0x1234, "C:\\t\\a.txt", {TSHDELETEOPTION::DOSILENT}));
  ASSERT_EQ(m.file_operations.size(), 1u);
  const auto& call = m.file_operations[0];
  EXPECT_EQ(call.owner, 0x1234u);
  EXPECT_EQ(call.function, platform::kFoDelete);
  EXPECT_EQ(call.from, std::string("C:\\t\\a.txt\0\0", 12));
  EXPECT_EQ(call.flags, 0x614u);
  EXPECT_EQ(lines_under("C:\\t"), (std::vector<std::string>{"C:\\t\\", "C:\\t\\b.txt 0"}));
  EXPECT_TRUE(m.recycle_bin.empty());

  m.fail(Call::ShFileOperation, 1223);
  EXPECT_FALSE(SHDELETEFILES(0, "C:\\t\\b.txt", {}));
  EXPECT_TRUE(m.file_exists("C:\\t\\b.txt"));
  EXPECT_FALSE(SHDELETEFILES(0, "C:\\t\\missing.txt", {}));
}

TEST_F(Deletion, ShDeleteFolderEmptiesThenRemovesTheFolder) {
  using O = TSHDELETEOPTION;
  struct Row {
    const char* name;
    std::string folder;
    TSHDELETEOPTIONS options;
    std::uint32_t flags;
  };
  const std::vector<Row> rows = {
      {"plain name", "C:\\t", {O::DOSILENT}, 0x614},
      {"trailing separator", "C:\\t\\", {O::DOSILENT}, 0x614},
      {"files only is dropped", "C:\\t", {O::DOSILENT, O::DOFILESONLY}, 0x614},
      {"no options", "C:\\t\\", {}, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::reset();
    sim::Machine& machine = sim::machine();
    build_tree();
    EXPECT_TRUE(SHDELETEFOLDER(0, row.folder, row.options));
    ASSERT_EQ(machine.file_operations.size(), 2u);
    EXPECT_EQ(machine.file_operations[0].from, std::string("C:\\t\\*.*\0\0", 10));
    EXPECT_EQ(machine.file_operations[1].from, std::string("C:\\t\0\0", 6));
    for (const auto& call : machine.file_operations) EXPECT_EQ(call.flags, row.flags);
    EXPECT_FALSE(machine.folder_exists("C:\\t"));
    EXPECT_TRUE(machine.file_exists("C:\\tother\\stay.txt"));
    EXPECT_TRUE(machine.recycle_bin.empty());
  }
}

TEST_F(Deletion, ShDeleteFolderStopsWhenEmptyingFails) {
  build_tree();
  m.fail(Call::ShFileOperation, 1223, 1, false, "C:\\t\\*.*");
  EXPECT_FALSE(SHDELETEFOLDER(0, "C:\\t", {TSHDELETEOPTION::DOSILENT}));
  EXPECT_EQ(m.file_operations.size(), 1u);
  EXPECT_TRUE(m.file_exists("C:\\t\\plain.txt"));
}

TEST_F(Deletion, ShDeleteFolderAnswersTheSecondCall) {
  build_tree();
  m.fail(Call::ShFileOperation, 5, 1, false, "C:\\t");
  EXPECT_FALSE(SHDELETEFOLDER(0, "C:\\t", {TSHDELETEOPTION::DOSILENT}));
  EXPECT_EQ(m.file_operations.size(), 2u);
  EXPECT_EQ(lines_under("C:\\t\\"), std::vector<std::string>{"C:\\t\\"});  // emptied, still there
}

TEST_F(Deletion, DeleteDirectoryToTheRecycleBinGoesThroughTheShell) {
  build_tree();
  EXPECT_TRUE(DELETEDIRECTORY("C:\\t", true));
  ASSERT_EQ(m.file_operations.size(), 2u);
  EXPECT_EQ(m.file_operations[0].flags, 0x654u);
  EXPECT_EQ(m.file_operations[1].flags, 0x654u);
  EXPECT_FALSE(m.folder_exists("C:\\t"));
  // The contents went one by one, then the emptied folder.
  std::vector<std::string> recycled;
  for (const auto& item : m.recycle_bin) recycled.push_back(item.original_path);
  EXPECT_EQ(recycled, (std::vector<std::string>{"C:\\t\\hidden.sys", "C:\\t\\plain.txt",
                                                "C:\\t\\readonly.txt", "C:\\t\\sub", "C:\\t"}));
  ASSERT_EQ(m.recycle_bin[3].node->children.size(), 2u);  // "sub" kept its whole subtree
  EXPECT_EQ(m.recycle_bin[3].node->children[0]->children.at(0)->name, "x.dll");
  EXPECT_TRUE(m.file_exists("C:\\tother\\stay.txt"));
}

TEST_F(Deletion, DeleteDirectoryWithoutTheRecycleBinWalksTheTree) {
  build_tree();
  EXPECT_TRUE(DELETEDIRECTORY("C:\\t", false));
  EXPECT_TRUE(m.file_operations.empty());
  EXPECT_TRUE(m.recycle_bin.empty());
  EXPECT_EQ(lines_under("C:\\t"),
            (std::vector<std::string>{"C:\\tother\\", "C:\\tother\\stay.txt 1"}));
}

TEST_F(Deletion, DelTreeRemovesEveryKindOfEntry) {
  for (const std::string path : {"C:\\t", "C:\\t\\"}) {
    SCOPED_TRACE(path);
    sim::reset();
    build_tree();
    EXPECT_TRUE(DELTREE(path));
    EXPECT_FALSE(sim::machine().folder_exists("C:\\t"));
    EXPECT_TRUE(sim::machine().file_exists("C:\\tother\\stay.txt"));
    EXPECT_EQ(sim::machine().open_handles(Kind::Find), 0);
  }
}

TEST_F(Deletion, DelTreeOfNothing) {
  build_tree();
  const auto before = m.file_lines();
  EXPECT_FALSE(DELTREEEX("", false, nullptr));
  for (Call call : {Call::GetFileAttributes, Call::SetFileAttributes, Call::DeleteFile,
                    Call::RemoveDirectory, Call::FindFirstFile})
    EXPECT_EQ(m.call_count(call), 0) << sim::call_name(call);
  EXPECT_FALSE(DELTREE("C:\\missing"));
  EXPECT_EQ(m.file_lines(), before);
  EXPECT_EQ(m.open_handles(Kind::Find), 0);
}

TEST_F(Deletion, RefusedFilesKeepTheirFoldersAndTheWalkGoesOnUnlessAborting) {
  struct Row {
    const char* name;
    bool abort;
    std::vector<std::string> asked;
    std::vector<std::string> left;
  };
  const std::vector<Row> rows = {
      {"goes on",
       false,
       {"C:\\t\\a\\b.txt", "C:\\t\\a\\skip.txt", "C:\\t\\a\\zz.txt", "C:\\t\\z\\c.txt"},
       {"C:\\t\\", "C:\\t\\a\\", "C:\\t\\a\\skip.txt 1"}},
      {"aborts",
       true,
       {"C:\\t\\a\\b.txt", "C:\\t\\a\\skip.txt"},
       {"C:\\t\\", "C:\\t\\a\\", "C:\\t\\a\\skip.txt 1", "C:\\t\\a\\zz.txt 1", "C:\\t\\z\\",
        "C:\\t\\z\\c.txt 1"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::reset();
    sim::Machine& machine = sim::machine();
    machine.add_file("C:\\t\\a\\b.txt", "b");
    machine.add_file("C:\\t\\a\\skip.txt", "s", platform::kFileAttributeReadOnly);
    machine.add_file("C:\\t\\a\\zz.txt", "z");
    machine.add_file("C:\\t\\z\\c.txt", "c");
    std::vector<std::string> asked;
    std::uint32_t skip_attributes = 0;
    const TDELTREEPROGRESS progress = [&](const std::string& file, std::uint32_t attributes) {
      asked.push_back(file);
      if (file.find("skip") == std::string::npos) return true;
      skip_attributes = attributes;
      return false;
    };
    EXPECT_FALSE(DELTREEEX("C:\\t", row.abort, progress));
    EXPECT_EQ(asked, row.asked);
    EXPECT_EQ(skip_attributes, platform::kFileAttributeReadOnly);
    EXPECT_EQ(lines_under("C:\\t\\"), row.left);
    EXPECT_EQ(machine.open_handles(Kind::Find), 0);
  }
}

TEST_F(Deletion, DelTreeRemovesALinkButNeverWhatItPointsAt) {
  m.add_file("C:\\target\\keep.txt", "k");
  m.add_file("C:\\target\\inner\\keep2.txt", "k");
  m.add_file("C:\\t\\a.txt");
  m.add_folder_link("C:\\t\\link", "C:\\target");
  m.add_folder_link("C:\\t\\sub\\hidden link", "C:\\target").attributes |=
      platform::kFileAttributeHidden | platform::kFileAttributeReadOnly;
  const auto target_before = lines_under("C:\\target");
  EXPECT_TRUE(DELTREE("C:\\t"));
  EXPECT_FALSE(m.folder_exists("C:\\t"));
  EXPECT_EQ(lines_under("C:\\target"), target_before);
  EXPECT_EQ(m.open_handles(Kind::Find), 0);
}

TEST_F(Deletion, DelTreeReportsWhatCouldNotGo) {
  struct Row {
    const char* name;
    Call call;
    std::string target;
    std::vector<std::string> left;
  };
  const std::vector<Row> rows = {
      {"a file will not go",
       Call::DeleteFile,
       "C:\\t\\sub\\b.txt",
       {"C:\\t\\", "C:\\t\\sub\\", "C:\\t\\sub\\b.txt 1"}},
      {"attributes will not clear",
       Call::SetFileAttributes,
       "C:\\t\\a.txt",
       {"C:\\t\\", "C:\\t\\a.txt 1"}},
      {"the folder will not go", Call::RemoveDirectory, "C:\\t", {"C:\\t\\"}},
      {"a subfolder will not go", Call::RemoveDirectory, "C:\\t\\sub", {"C:\\t\\", "C:\\t\\sub\\"}},
      {"a subfolder cannot be listed",
       Call::FindFirstFile,
       "C:\\t\\sub\\*",
       {"C:\\t\\", "C:\\t\\sub\\", "C:\\t\\sub\\b.txt 1", "C:\\t\\sub\\c.txt 1"}},
      {"a listing breaks off",
       Call::FindNextFile,
       "C:\\t\\sub\\*",
       {"C:\\t\\", "C:\\t\\sub\\", "C:\\t\\sub\\b.txt 1", "C:\\t\\sub\\c.txt 1"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::reset();
    sim::Machine& machine = sim::machine();
    machine.add_file("C:\\t\\a.txt", "a");
    machine.add_file("C:\\t\\sub\\b.txt", "b");
    machine.add_file("C:\\t\\sub\\c.txt", "c");
    machine.add_file("C:\\t\\z.txt", "z");
    machine.fail(row.call, platform::kErrorAccessDenied, 1, true, row.target);
    EXPECT_FALSE(DELTREE("C:\\t"));
    EXPECT_EQ(lines_under("C:\\t\\"), row.left);
    EXPECT_EQ(machine.open_handles(Kind::Find), 0);
  }
}

TEST_F(Deletion, DelTreeLeavesAnOpenFileAndGoesOn) {
  build_tree();
  m.find_node("C:\\t\\plain.txt")->locked = true;
  EXPECT_FALSE(DELTREE("C:\\t"));
  EXPECT_EQ(lines_under("C:\\t\\"), (std::vector<std::string>{"C:\\t\\", "C:\\t\\plain.txt 3"}));
}

class FileList : public Deletion {
 protected:
  void SetUp() override {
    m.add_file("C:\\x\\a1.txt", "1");
    m.add_file("C:\\x\\ab", "2");
    m.add_file("C:\\x\\c.doc", "3", platform::kFileAttributeHidden);
    m.add_folder("C:\\x\\xb");
    m.add_folder("C:\\x\\sys", platform::kFileAttributeSystem);
    m.add_file("C:\\x\\z.txt", "4");
    m.add_file("C:\\top.txt");
  }
};

TEST_F(FileList, AddsEachMatchingEntryOnce) {
  const std::vector<std::string> kAll = {"a1.txt", "ab", "c.doc", "sys", "xb", "z.txt"};
  struct Row {
    const char* name;
    std::string path;
    std::uint32_t attributes;
    bool with_folder;
    std::vector<std::string> items;
  };
  const std::vector<Row> rows = {
      {"two masks, one entry matching both",
       "C:\\x\\a*;*.txt",
       0x1FF,
       false,
       {"a1.txt", "ab", "z.txt"}},
      {"with the folder",
       "C:\\x\\a*;*.txt",
       0x1FF,
       true,
       {"C:\\x\\a1.txt", "C:\\x\\ab", "C:\\x\\z.txt"}},
      {"one mask", "C:\\x\\*.txt", 0x1FF, false, {"a1.txt", "z.txt"}},
      {"everything", "C:\\x\\*.*", 0x1FF, false, kAll},
      // A name without an extension is matched with a "." added: "*b" misses "xb".
      {"no extension", "C:\\x\\*b", 0x1FF, false, {}},
      {"leading empty mask matches all", "C:\\x\\;zz", 0x1FF, false, kAll},
      {"two empty masks", "C:\\x\\;;", 0x1FF, false, kAll},
      {"plain folders only", "C:\\x\\*", platform::kFileAttributeDirectory, false, {"xb"}},
      {"hidden files too",
       "C:\\x\\*",
       platform::kFileAttributeArchive | platform::kFileAttributeHidden,
       false,
       {"a1.txt", "ab", "c.doc", "z.txt"}},
      {"nothing admitted", "C:\\x\\*", 0, false, {}},
      {"trailing separator: no mask", "C:\\x\\", 0x1FF, false, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    StringList list;
    EXPECT_TRUE(BUILDFILELIST(row.path, row.attributes, list, row.with_folder));
    EXPECT_EQ(list.items(), row.items);
    EXPECT_FALSE(list.updating());
    EXPECT_EQ(m.open_handles(Kind::Find), 0);
  }
}

TEST_F(FileList, SplitsTheFolderPartOffAsTheRemovalDoes) {
  m.add_file("C:\\a\\b");
  struct Row {
    const char* name;
    std::string path, current;
    std::vector<std::string> items;
  };
  const std::vector<std::string> root = {"C:\\a",     "C:\\ProgramData", "C:\\top.txt",
                                         "C:\\Users", "C:\\Windows",     "C:\\x"};
  const std::vector<Row> rows = {
      {"folder and mask", "C:\\x\\*.txt", "C:\\", {"C:\\x\\a1.txt", "C:\\x\\z.txt"}},
      // A separator after another one is part of the folder: the mask stays "*.txt".
      {"doubled separator", "C:\\x\\\\*.txt", "C:\\", {"C:\\x\\\\a1.txt", "C:\\x\\\\z.txt"}},
      {"drive root keeps its separator", "C:\\*", "C:\\", root},
      {"drive root, mask", "C:\\*.txt", "C:\\", {"C:\\top.txt"}},
      // "C:" becomes "C:\", which the path does not hold: no mask, nothing added.
      {"drive without separator", "C:*.txt", "C:\\x", {}},
      {"root of the current drive", "\\*.txt", "C:\\x", {"\\top.txt"}},
      {"bare name in the current folder", "a1.txt", "C:\\x", {"a1.txt"}},
      // "a/" becomes "a\", which the path does not hold either.
      {"forward slash", "a/b", "C:\\", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    m.current_directory = row.current;
    StringList list;
    EXPECT_TRUE(BUILDFILELIST(row.path, 0x1FF, list, true));
    EXPECT_EQ(list.items(), row.items);
    EXPECT_EQ(m.open_handles(Kind::Find), 0);
  }
}

TEST_F(FileList, FailedSearchesLeaveTheList) {
  StringList list;
  list.add("kept");
  EXPECT_FALSE(BUILDFILELIST("C:\\missing\\*.*", 0x1FF, list, false));
  EXPECT_EQ(list.items(), std::vector<std::string>{"kept"});

  // A listing that breaks off keeps what it found so far and answers false.
  m.fail(Call::FindNextFile, platform::kErrorAccessDenied, 4);
  EXPECT_FALSE(BUILDFILELIST("C:\\x\\*.*", 0x1FF, list, false));
  EXPECT_EQ(list.items(), (std::vector<std::string>{"kept", "a1.txt", "ab"}));
  EXPECT_FALSE(list.updating());
  EXPECT_EQ(m.open_handles(Kind::Find), 0);
}

}  // namespace
