// The file wrappers answer as kernel32 and shell32 do. Each case works in its own
// folder, C:\quorvalis-contract\<case>.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/file_calls.h"
#include "tests/contract/file_world.h"

using namespace platform;
using file_world::kUnderWine;
using file_world::World;

namespace {

constexpr std::uint32_t kErrorDirectory = 267;

// The attributes a plain file reports. Wine reports ARCHIVE on every plain file and
// never NORMAL, where Windows gives back what was set (NORMAL when nothing is).
std::uint32_t file_attributes(std::uint32_t set) {
  if (!kUnderWine) return set;
  return (set & ~kFileAttributeNormal) | kFileAttributeArchive;
}

// The names of a listing, first to last, and the error that ended it.
struct Listing {
  std::vector<std::string> names;
  std::vector<std::uint32_t> attributes;
  std::uint32_t end_error = 0;
};

Listing list(const std::string& pattern) {
  Listing listing;
  FindData data;
  set_last_error(0);
  const Handle search = find_first_file(pattern, data);
  if (search == kInvalidHandle) {
    listing.end_error = last_error();
    return listing;
  }
  do {
    listing.names.push_back(data.name);
    listing.attributes.push_back(data.attributes);
  } while (find_next_file(search, data));
  listing.end_error = last_error();
  EXPECT_FALSE(find_next_file(search, data));  // past the end it stays at the end
  EXPECT_EQ(last_error(), kErrorNoMoreFiles);
  EXPECT_TRUE(find_close(search));
  return listing;
}

int shell_delete(const std::string& from, std::uint32_t flags) {
  FileOperation operation;
  operation.function = kFoDelete;
  operation.from = from + std::string(2, '\0');
  operation.flags = flags;
  return sh_file_operation(operation);
}

constexpr std::uint32_t kSilent =
    kFofSilent | kFofNoConfirmation | kFofNoConfirmMkdir | kFofNoErrorUi;

TEST(FileAttributes, AnswerForEachKindOfName) {
  World w;
  w.add_file("dir\\f.txt");
  struct Row {
    const char* name;
    std::string path;
    std::uint32_t attributes;
    std::uint32_t error;
  };
  const std::vector<Row> rows = {
      {"file", w.path("dir\\f.txt"), kFileAttributeArchive, 0},
      {"folder", w.path("dir"), kFileAttributeDirectory, 0},
      {"folder, trailing separator", w.path("dir\\"), kFileAttributeDirectory, 0},
      {"other letter case", w.path("DIR\\F.TXT"), kFileAttributeArchive, 0},
      {"rooted at the current drive", w.path("dir\\f.txt").substr(2), kFileAttributeArchive, 0},
      {"dot folders", w.path("dir\\.\\..\\dir\\f.txt"), kFileAttributeArchive, 0},
      {"missing file", w.path("dir\\missing.txt"), kInvalidFileAttributes, kErrorFileNotFound},
      {"missing folder on the way", w.path("missing\\f.txt"), kInvalidFileAttributes,
       kErrorPathNotFound},
      {"a file on the way", w.path("dir\\f.txt\\x"), kInvalidFileAttributes, kErrorPathNotFound},
      {"star", w.path("dir\\*"), kInvalidFileAttributes, kErrorInvalidName},
      {"question mark", w.path("dir\\f.tx?"), kInvalidFileAttributes, kErrorInvalidName},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    set_last_error(0);
    EXPECT_EQ(get_file_attributes(row.path), row.attributes);
    if (row.error != 0) {
      EXPECT_EQ(last_error(), row.error);
    }
  }
  EXPECT_TRUE(file_exists(w.path("dir\\f.txt")));
  EXPECT_FALSE(file_exists(w.path("dir")));
  EXPECT_TRUE(folder_exists(w.path("dir")));
  EXPECT_FALSE(folder_exists(w.path("dir\\f.txt")));
  EXPECT_FALSE(file_exists(w.path("dir\\*")));
}

TEST(FileAttributes, SetAttributesReadBack) {
  World w;
  w.add_file("f.txt");
  struct Row {
    const char* name;
    std::uint32_t set;
  };
  const std::vector<Row> rows = {
      {"read-only", kFileAttributeReadOnly},
      {"hidden and system", kFileAttributeHidden | kFileAttributeSystem},
      {"archive and hidden", kFileAttributeArchive | kFileAttributeHidden},
      {"normal", kFileAttributeNormal},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_TRUE(set_file_attributes(w.path("f.txt"), row.set));
    EXPECT_EQ(get_file_attributes(w.path("f.txt")), file_attributes(row.set));
  }
  w.add_folder("dir");
  EXPECT_TRUE(set_file_attributes(w.path("dir"), kFileAttributeNormal));  // a folder stays one
  EXPECT_EQ(get_file_attributes(w.path("dir")), kFileAttributeDirectory);
  set_last_error(0);
  EXPECT_FALSE(set_file_attributes(w.path("missing.txt"), kFileAttributeNormal));
  EXPECT_EQ(last_error(), kErrorFileNotFound);
}

TEST(DeleteFile, RefusesWhatIsNoDeletableFile) {
  World w;
  w.add_file("readonly.txt");
  w.set_attributes("readonly.txt", kFileAttributeReadOnly);
  w.add_file("open.txt");
  w.lock("open.txt");
  w.add_folder("dir");
  struct Row {
    const char* name;
    std::string relative;
    std::uint32_t error;
  };
  const std::vector<Row> rows = {
      {"read-only file", "readonly.txt", kErrorAccessDenied},
      {"folder", "dir", kErrorAccessDenied},
      {"file held open", "open.txt", kErrorSharingViolation},
      {"missing file", "missing.txt", kErrorFileNotFound},
      {"missing folder on the way", "missing\\f.txt", kErrorPathNotFound},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    set_last_error(0);
    EXPECT_FALSE(delete_file(w.path(row.relative)));
    EXPECT_EQ(last_error(), row.error);
  }
  EXPECT_EQ(w.entries(), (std::vector<std::string>{"dir\\", "open.txt", "readonly.txt"}));

  // An open file still takes new attributes; once cleared and closed, both go.
  EXPECT_TRUE(set_file_attributes(w.path("open.txt"), kFileAttributeNormal));
  w.unlock();
  EXPECT_TRUE(set_file_attributes(w.path("readonly.txt"), kFileAttributeNormal));
  EXPECT_TRUE(delete_file(w.path("readonly.txt")));
  EXPECT_TRUE(delete_file(w.path("open.txt")));
  EXPECT_EQ(w.entries(), std::vector<std::string>{"dir\\"});
}

TEST(RemoveDirectory, TakesOnlyAnEmptyFolder) {
  World w;
  w.add_folder("empty");
  w.add_file("full\\f.txt");
  struct Row {
    const char* name;
    std::string relative;
    std::uint32_t error;
  };
  const std::vector<Row> rows = {
      {"folder with entries", "full", kErrorDirNotEmpty},
      {"file", "full\\f.txt", kErrorDirectory},
      {"missing folder", "missing", kErrorFileNotFound},
      {"missing folder on the way", "missing\\x", kErrorPathNotFound},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    set_last_error(0);
    EXPECT_FALSE(remove_directory(w.path(row.relative)));
    EXPECT_EQ(last_error(), row.error);
  }
  EXPECT_TRUE(remove_directory(w.path("empty\\")));
  EXPECT_EQ(w.entries(), (std::vector<std::string>{"full\\", "full\\f.txt"}));
}

TEST(ReadWholeFile, GivesTheExactBytesOrTheError) {
  World w;
  std::string every_byte;
  for (int i = 0; i < 70000; ++i) every_byte += static_cast<char>(i * 7 % 256);  // past one read
  w.add_file("big.bin", every_byte);
  w.add_file("empty.txt", "");
  w.add_file("text.txt", std::string("line\r\n\0end", 10));
  w.add_file("open.txt", "x");
  w.lock("open.txt");
  struct Row {
    const char* name;
    std::string relative;
    std::uint32_t code;
    std::string bytes;
  };
  const std::vector<Row> rows = {
      {"large binary file", "big.bin", 0, every_byte},
      {"empty file", "empty.txt", 0, ""},
      {"text with a NUL", "text.txt", 0, std::string("line\r\n\0end", 10)},
      {"missing file", "missing.txt", kErrorFileNotFound, ""},
      {"missing folder on the way", "missing\\x.txt", kErrorPathNotFound, ""},
      {"a folder", "", kErrorAccessDenied, ""},
      {"held open without sharing", "open.txt", kErrorSharingViolation, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::string bytes = "stale";
    EXPECT_EQ(read_whole_file(row.relative.empty() ? w.root() : w.path(row.relative), bytes),
              row.code);
    EXPECT_EQ(bytes, row.bytes);
  }
}

TEST(FindFiles, ListsDotsThenEntriesInNameOrder) {
  World w;
  w.add_folder("list\\c");
  w.add_file("list\\b.txt");
  w.add_file("list\\A.txt");
  w.add_file("list\\h.txt");
  w.set_attributes("list\\h.txt", kFileAttributeHidden | kFileAttributeArchive);
  w.add_folder("empty");

  const Listing all = list(w.path("list\\*"));
  EXPECT_EQ(all.names, (std::vector<std::string>{".", "..", "A.txt", "b.txt", "c", "h.txt"}));
  EXPECT_EQ(all.end_error, kErrorNoMoreFiles);
  ASSERT_EQ(all.attributes.size(), 6u);
  EXPECT_NE(all.attributes[0] & kFileAttributeDirectory, 0u);
  EXPECT_EQ(all.attributes[2], kFileAttributeArchive);
  EXPECT_EQ(all.attributes[4], kFileAttributeDirectory);
  EXPECT_EQ(all.attributes[5], kFileAttributeHidden | kFileAttributeArchive);

  const Listing empty = list(w.path("empty\\*"));
  EXPECT_EQ(empty.names, (std::vector<std::string>{".", ".."}));
  EXPECT_EQ(empty.end_error, kErrorNoMoreFiles);

  // A drive root has no "." or "..".
  const Listing root = list("C:\\*");
  ASSERT_FALSE(root.names.empty());
  for (const auto& name : root.names) EXPECT_TRUE(name != "." && name != "..") << name;
}

TEST(FindFiles, MatchesTheLastComponent) {
  World w;
  w.add_folder("list\\c");
  w.add_file("list\\b.txt");
  w.add_file("list\\A.txt");
  w.add_file("list\\ab.doc");
  struct Row {
    const char* name;
    std::string mask;
    std::vector<std::string> names;
    std::uint32_t error;
  };
  const std::vector<Row> rows = {
      {"star dot star", "*.*", {".", "..", "A.txt", "ab.doc", "b.txt", "c"}, kErrorNoMoreFiles},
      {"extension", "*.txt", {"A.txt", "b.txt"}, kErrorNoMoreFiles},
      {"question mark", "?.txt", {"A.txt", "b.txt"}, kErrorNoMoreFiles},
      {"prefix, any case", "A*", {"A.txt", "ab.doc"}, kErrorNoMoreFiles},
      {"one name", "B.TXT", {"b.txt"}, kErrorNoMoreFiles},
      {"a folder by name", "c", {"c"}, kErrorNoMoreFiles},
      {"nothing matches", "zz*", {}, kErrorFileNotFound},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Listing found = list(w.path("list\\" + row.mask));
    EXPECT_EQ(found.names, row.names);
    EXPECT_EQ(found.end_error, row.error);
  }
  const Listing missing = list(w.path("missing\\*"));
  EXPECT_TRUE(missing.names.empty());
  EXPECT_EQ(missing.end_error, kErrorPathNotFound);
}

TEST(ShellDelete, DeletesTheListedItems) {
  struct Outcome {
    bool succeeds;
    std::vector<std::string> left;
  };
  struct Row {
    const char* name;
    std::vector<std::string> items;  // relative to the case's folder
    std::uint32_t flags;
    Outcome outcome;
    // Wine's shell deletes a read-only file only inside a folder it deletes whole;
    // Windows answers its confirmation with "yes to all" under FOF_NOCONFIRMATION,
    // which the sim follows.
    std::optional<Outcome> under_wine;
  };
  const std::vector<std::string> untouched = {
      "hollow\\",       "keep.txt",      "victim\\",          "victim\\f.txt",
      "victim\\ro.txt", "victim\\sub\\", "victim\\sub\\g.txt"};
  const std::vector<Row> rows = {
      {"a folder tree", {"victim"}, kSilent, {true, {"hollow\\", "keep.txt"}}, std::nullopt},
      {"a read-only file",
       {"victim\\ro.txt"},
       kSilent,
       {true,
        {"hollow\\", "keep.txt", "victim\\", "victim\\f.txt", "victim\\sub\\",
         "victim\\sub\\g.txt"}},
       Outcome{false, untouched}},
      {"two items",
       {"victim\\f.txt", "keep.txt"},
       kSilent,
       {true, {"hollow\\", "victim\\", "victim\\ro.txt", "victim\\sub\\", "victim\\sub\\g.txt"}},
       std::nullopt},
      {"a folder's contents",
       {"victim\\*.*"},
       kSilent,
       {true, {"hollow\\", "keep.txt", "victim\\"}},
       Outcome{false,
               {"hollow\\", "keep.txt", "victim\\", "victim\\ro.txt", "victim\\sub\\",
                "victim\\sub\\g.txt"}}},
      {"only the files of a folder",
       {"victim\\*.*"},
       kSilent | kFofFilesOnly,
       {true, {"hollow\\", "keep.txt", "victim\\", "victim\\sub\\", "victim\\sub\\g.txt"}},
       Outcome{false,
               {"hollow\\", "keep.txt", "victim\\", "victim\\ro.txt", "victim\\sub\\",
                "victim\\sub\\g.txt"}}},
      {"a wildcard that matches nothing",
       {"victim\\zz*"},
       kSilent,
       {true, untouched},
       std::nullopt},
      {"an empty folder's contents", {"hollow\\*.*"}, kSilent, {true, untouched}, std::nullopt},
      {"a missing item", {"missing.txt"}, kSilent, {false, untouched}, std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    World w;
    w.add_folder("hollow");
    w.add_file("keep.txt");
    w.add_file("victim\\f.txt");
    w.add_file("victim\\ro.txt");
    w.set_attributes("victim\\ro.txt", kFileAttributeReadOnly);
    w.add_file("victim\\sub\\g.txt");
    std::string from;
    for (const auto& item : row.items) from += w.path(item) + std::string(1, '\0');
    from.pop_back();
    const Outcome& expected = kUnderWine && row.under_wine ? *row.under_wine : row.outcome;
    EXPECT_EQ(shell_delete(from, row.flags) == 0, expected.succeeds);
    EXPECT_EQ(w.entries(), expected.left);
    EXPECT_FALSE(w.recycled("victim").has_value());
  }
}

TEST(ShellDelete, UndoMovesTheItemsToTheRecycleBin) {
  World w;
  w.add_file("victim\\f.txt", "contents");
  w.add_file("victim\\sub\\g.txt");
  w.add_file("loose\\a.txt");
  w.add_folder("loose\\inner");
  EXPECT_EQ(shell_delete(w.path("victim"), kSilent | kFofAllowUndo), 0);
  EXPECT_EQ(shell_delete(w.path("loose\\*.*"), kSilent | kFofAllowUndo), 0);
  EXPECT_EQ(w.entries(), std::vector<std::string>{"loose\\"});
  EXPECT_EQ(w.recycled("victim"),
            (std::vector<std::string>{"victim\\", "victim\\f.txt", "victim\\sub\\",
                                      "victim\\sub\\g.txt"}));
  // A wildcard's matches go one by one, each as an item of its own.
  EXPECT_EQ(w.recycled("loose\\a.txt"), std::vector<std::string>{"a.txt"});
  EXPECT_EQ(w.recycled("loose\\inner"), std::vector<std::string>{"inner\\"});
  EXPECT_FALSE(w.recycled("loose").has_value());
}

TEST(ShellDelete, AnOpenFileStopsTheDelete) {
  World w;
  w.add_file("victim\\open.txt");
  w.lock("victim\\open.txt");
  EXPECT_NE(shell_delete(w.path("victim"), kSilent), 0);
  EXPECT_TRUE(w.exists("victim\\open.txt"));
  w.unlock();
  EXPECT_EQ(shell_delete(w.path("victim"), kSilent), 0);
  EXPECT_TRUE(w.entries().empty());
}

TEST(FolderLinks, GoAsLinksAndLeaveTheirTarget) {
  World w;
  w.add_file("target\\keep.txt");
  w.add_file("target\\inner\\keep2.txt");
  if (!w.add_folder_link("link", "target")) {
    // Wine 8.0 makes no folder links: FSCTL_SET_REPARSE_POINT fails with 50 and
    // CreateSymbolicLink succeeds without making one. The sim follows Windows.
    ASSERT_TRUE(kUnderWine);
    GTEST_SKIP() << "this Wine cannot create junctions";
  }
  ASSERT_TRUE(w.add_folder_link("link2", "target"));
  const std::vector<std::string> target = {"target\\", "target\\inner\\",
                                           "target\\inner\\keep2.txt", "target\\keep.txt"};
  EXPECT_EQ(
      get_file_attributes(w.path("link")) & (kFileAttributeDirectory | kFileAttributeReparsePoint),
      kFileAttributeDirectory | kFileAttributeReparsePoint);
  EXPECT_EQ(list(w.path("link\\*.txt")).names, std::vector<std::string>{"keep.txt"});
  EXPECT_TRUE(remove_directory(w.path("link")));
  EXPECT_EQ(shell_delete(w.path("link2"), kSilent), 0);
  EXPECT_EQ(w.entries(), target);
}

}  // namespace
