// The system folder and the shell folders, against the sim and against Wine.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fonction.h"
#include "platform/folder_calls.h"
#include "platform/process_calls.h"  // kMaxPath
#include "tests/contract/program_world.h"

namespace {

using namespace platform;

class FoldersContract : public ::testing::Test {
 protected:
  void SetUp() override { program_world::begin(); }
};

TEST_F(FoldersContract, SystemFolderSizeIncludesTheNulUntilItFits) {
  const std::uint32_t needed = get_system_directory(nullptr, 0);
  ASSERT_GT(needed, 1u);
  std::string buffer(needed, 'x');
  EXPECT_EQ(get_system_directory(buffer.data(), needed - 1), needed);  // one short
  EXPECT_EQ(get_system_directory(buffer.data(), needed), needed - 1);
  EXPECT_EQ(buffer[needed - 1], '\0');
  buffer.resize(needed - 1);
  EXPECT_EQ(GETWINDOWSSYSTEMFOLDER(), buffer);
  EXPECT_NE(buffer.back(), '\\');
  EXPECT_TRUE(program_world::folder_exists(buffer));
}

TEST_F(FoldersContract, ShellFoldersResolveToExistingFolders) {
  struct Row {
    const char* name;
    int csidl;
    std::function<std::string()> get;
  };
  const std::vector<Row> rows = {
      {"common desktop", kCsidlCommonDesktopDirectory, GETCOMMONDESKTOPDIRECTORYFOLDER},
      {"common programs", kCsidlCommonPrograms, GETCOMMONPROGRAMSFOLDER},
      {"startup", kCsidlStartup, GETSTARTUPFOLDER},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string folder = row.get();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(GETSPECIALFOLDERLOCATION(row.csidl), folder);
    EXPECT_EQ(folder.substr(1, 2), ":\\");
    EXPECT_TRUE(program_world::folder_exists(folder));
  }
}

TEST_F(FoldersContract, ItemListGivesItsPath) {
  Handle list = kNullHandle;
  ASSERT_GE(sh_get_special_folder_location(kNullHandle, kCsidlCommonPrograms, list), 0);
  ASSERT_NE(list, kNullHandle);
  char path[kMaxPath] = {};
  EXPECT_TRUE(sh_get_path_from_id_list(list, path));
  EXPECT_EQ(std::string(path), GETCOMMONPROGRAMSFOLDER());
  co_task_mem_free(list);
}

}  // namespace
