// Opening an entry, its final name, drive types and environment strings answer as
// kernel32 does. Each case works in its own folder, C:\quorvalis-contract\<case>.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/environment_calls.h"
#include "platform/path_calls.h"
#include "tests/contract/file_world.h"

using namespace platform;
using file_world::kUnderWine;
using file_world::World;

namespace {

constexpr std::uint32_t kShareAll = kFileShareRead | kFileShareWrite | kFileShareDelete;

// Opens `path` as the cleanup does and answers its final name, or "error N".
std::string final_name_of(const std::string& path) {
  set_last_error(0);
  const Handle entry =
      create_file(path, kFileReadAttributes, kShareAll, kOpenExisting, kFileFlagBackupSemantics);
  if (entry == kInvalidHandle) return "error " + std::to_string(last_error());
  std::string buffer(1024, '\0');
  const std::uint32_t length = get_final_path_name_by_handle(
      entry, buffer.data(), static_cast<std::uint32_t>(buffer.size()), kFileNameNormalized | kVolumeNameDos);
  const std::uint32_t error = last_error();
  EXPECT_TRUE(close_handle(entry));
  if (length == 0) return "error " + std::to_string(error);
  return buffer.substr(0, length);
}

std::string with_slashes(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

TEST(FinalPath, NamesTheFolderAsStoredWhateverTheSpelling) {
  World w;
  w.add_folder("Dir\\Sub");
  w.add_file("Dir\\Sub\\File.txt");
  const std::string folder = "\\\\?\\" + w.path("Dir\\Sub");
  struct Row {
    const char* name;
    std::string path;
    std::string final_name;
  };
  const std::vector<Row> rows = {
      {"as stored", w.path("Dir\\Sub"), folder},
      {"other letter case", w.path("DIR\\sub"), folder},
      {"trailing separator", w.path("Dir\\Sub\\"), folder},
      {"forward slashes", with_slashes(w.path("Dir\\Sub")), folder},
      {"doubled separators", w.path("Dir\\\\Sub"), folder},
      {"dot and dot-dot", w.path("Dir\\.\\Sub\\..\\Sub"), folder},
      {"trailing dots and blanks", w.path("Dir\\Sub. ."), folder},
      {"rooted at the current drive", w.path("Dir\\Sub").substr(2), folder},
      {"verbatim prefix", "\\\\?\\" + w.path("Dir\\Sub"), folder},
      {"device prefix", "\\\\.\\" + w.path("Dir\\Sub"), folder},
      {"a file", w.path("dir\\sub\\FILE.TXT"), folder + "\\File.txt"},
      {"a drive root", "C:\\", "\\\\?\\C:\\"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(final_name_of(row.path), row.final_name);
  }
}

TEST(FinalPath, OpeningFailsAsCreateFileDoes) {
  World w;
  w.add_folder("Dir");
  struct Row {
    const char* name;
    std::string path;
    std::uint32_t flags;
    std::uint32_t error;
  };
  const std::vector<Row> rows = {
      {"missing", w.path("Missing"), kFileFlagBackupSemantics, kErrorFileNotFound},
      {"missing on the way", w.path("Missing\\Sub"), kFileFlagBackupSemantics, kErrorPathNotFound},
      {"a folder without backup semantics", w.path("Dir"), 0, kErrorAccessDenied},
      {"a wildcard", w.path("Di*"), kFileFlagBackupSemantics, kErrorInvalidName},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    set_last_error(0);
    EXPECT_EQ(create_file(row.path, kFileReadAttributes, kShareAll, kOpenExisting, row.flags),
              kInvalidHandle);
    EXPECT_EQ(last_error(), row.error);
  }
}

TEST(FinalPath, ABufferTooSmallAsksForTheNameAndItsNul) {
  World w;
  w.add_folder("Dir");
  const std::string name = "\\\\?\\" + w.path("Dir");
  const auto length = static_cast<std::uint32_t>(name.size());
  const Handle entry =
      create_file(w.path("Dir"), 0, kShareAll, kOpenExisting, kFileFlagBackupSemantics);
  ASSERT_NE(entry, kInvalidHandle);
  std::string buffer(length + 1, 'x');
  // Windows asks for the name and its NUL; Wine 8.0's ANSI call for the name alone.
  // Windows is authoritative (the sim answers so); the caller grows the buffer one
  // more than asked, which serves both.
  const std::uint32_t asked = kUnderWine ? length : length + 1;
  EXPECT_EQ(get_final_path_name_by_handle(entry, buffer.data(), 0, 0), asked);
  EXPECT_EQ(get_final_path_name_by_handle(entry, buffer.data(), length, 0), asked);
  EXPECT_EQ(get_final_path_name_by_handle(entry, buffer.data(), length + 1, 0), length);
  EXPECT_EQ(buffer, name + '\0');
  EXPECT_TRUE(close_handle(entry));
}

TEST(FinalPath, ALinkIsNamedByItsTarget) {
  World w;
  w.add_folder("Target\\Inner");
  if (!w.add_folder_link("Link", "Target")) {
    // Wine 8.0 makes no folder links (see FolderLinks in files_contract_test.cpp), so
    // this case runs on the sim only; Windows is authoritative for it.
    ASSERT_TRUE(kUnderWine);
    GTEST_SKIP() << "this Wine cannot create junctions";
  }
  ASSERT_TRUE(w.add_folder_link("Hop", "Link"));
  const std::string target = "\\\\?\\" + w.path("Target");
  EXPECT_EQ(final_name_of(w.path("Link")), target);
  EXPECT_EQ(final_name_of(w.path("link\\inner")), target + "\\Inner");
  EXPECT_EQ(final_name_of(w.path("Hop\\Inner\\..")), target);  // a link to a link
  // Opened as a reparse point, the link is named by itself.
  const Handle link = create_file(w.path("Link"), 0, kShareAll, kOpenExisting,
                                  kFileFlagBackupSemantics | kFileFlagOpenReparsePoint);
  ASSERT_NE(link, kInvalidHandle);
  std::string buffer(1024, '\0');
  const std::uint32_t length =
      get_final_path_name_by_handle(link, buffer.data(), static_cast<std::uint32_t>(buffer.size()), 0);
  EXPECT_EQ(buffer.substr(0, length), "\\\\?\\" + w.path("Link"));
  EXPECT_TRUE(close_handle(link));
}

TEST(DriveType, OfTheSystemDriveAndOfAFreeLetter) {
  World w;
  EXPECT_EQ(get_drive_type("C:\\"), kDriveFixed);
  EXPECT_EQ(get_drive_type("c:\\"), kDriveFixed);
  EXPECT_EQ(get_drive_type(file_world::unused_drive_root()), kDriveNoRootDir);
}

TEST(EnvironmentStrings, ExpandKnownNamesAndKeepTheRest) {
  World w;
  file_world::set_environment("QUORVALIS_CONTRACT_ROOT", w.root());
  struct Row {
    const char* name;
    std::string source;
    std::string expanded;
  };
  const std::vector<Row> rows = {
      {"a variable", "%QUORVALIS_CONTRACT_ROOT%\\Dir", w.root() + "\\Dir"},
      {"its name in other case", "%quorvalis_contract_root%", w.root()},
      {"twice", "%QUORVALIS_CONTRACT_ROOT%;%QUORVALIS_CONTRACT_ROOT%", w.root() + ";" + w.root()},
      {"an unknown name stays", "%QUORVALIS_NOT_SET%\\Dir", "%QUORVALIS_NOT_SET%\\Dir"},
      {"no variable", "C:\\Plain", "C:\\Plain"},
      {"a lone percent sign", "100%", "100%"},
      {"nothing", "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto length = static_cast<std::uint32_t>(row.expanded.size());
    const std::uint32_t needed = expand_environment_strings(row.source, nullptr, 0);
    // The ANSI call may ask for one byte more than the text and its NUL.
    EXPECT_GE(needed, length + 1);
    EXPECT_LE(needed, length + 2);
    std::string buffer(length + 2, 'x');
    EXPECT_EQ(expand_environment_strings(row.source, buffer.data(), length + 2), length + 1);
    EXPECT_EQ(buffer.substr(0, length + 1), row.expanded + '\0');
  }
}

}  // namespace
