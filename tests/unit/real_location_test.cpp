#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "files/real_location.h"
#include "platform/path_calls.h"
#include "sim_test.h"

namespace {

using sim::Call;

class RealLocationTest : public SimTest {
 protected:
  void SetUp() override {
    m.add_folder("C:\\Users\\alice");
    m.add_folder_link("C:\\Documents and Settings", "C:\\Users");
    m.add_folder("C:\\Program Files\\LibreOffice");
    m.find_node("C:\\Program Files")->short_name = "PROGRA~1";
    m.add_folder("E:\\Stick");
    m.drive_types['E'] = platform::kDriveRemovable;
  }
};

TEST_F(RealLocationTest, FinalPathWithoutTheSystemsPrefix) {
  struct Row {
    const char* name;
    std::string path;
    std::optional<std::string> final_path;
  };
  const std::vector<Row> rows = {
      {"through a junction", "C:\\Documents and Settings\\alice\\", "C:\\Users\\alice"},
      {"short name, other case", "c:\\progra~1\\libreoffice", "C:\\Program Files\\LibreOffice"},
      {"verbatim prefix", "\\\\?\\C:\\Users\\alice", "C:\\Users\\alice"},
      {"a share of this machine", "\\\\localhost\\C$\\Users\\alice",
       "\\\\localhost\\C$\\Users\\alice"},
      {"a drive root", "E:\\", "E:\\"},
      {"missing", "C:\\Users\\bob", std::nullopt},
      {"another machine", "\\\\server\\share\\x", std::nullopt},
      {"empty", "", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(final_path_of(row.path), row.final_path);
  }
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(RealLocationTest, ANameLongerThanMaxPathGrowsTheBuffer) {
  std::string deep = "C:\\Deep";
  while (deep.size() < 700) deep += "\\a-rather-long-folder-name";
  m.add_folder(deep);
  EXPECT_EQ(final_path_of(deep), deep);
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(RealLocationTest, AFolderThatCannotBeOpenedOrNamedHasNoFinalPath) {
  for (const Call call : {Call::CreateFile, Call::GetFinalPathName}) {
    SCOPED_TRACE(sim::call_name(call));
    m.fail(call, platform::kErrorAccessDenied, 1, false, "C:\\Users\\alice");
    EXPECT_EQ(final_path_of("C:\\Users\\alice"), std::nullopt);
    EXPECT_EQ(final_path_of("C:\\Users\\alice"), "C:\\Users\\alice");  // the fault was once
    EXPECT_EQ(m.open_handles(), 0);
  }
}

TEST_F(RealLocationTest, OnlyALocalFixedDriveCounts) {
  m.add_folder("Z:\\Share");
  m.drive_types['Z'] = platform::kDriveRemote;
  struct Row {
    const char* final_path;
    bool fixed;
  };
  for (const auto& row : std::vector<Row>{{"C:\\Users\\alice", true},
                                          {"c:\\", true},
                                          {"E:\\Stick", false},
                                          {"Z:\\Share", false},
                                          {"Q:\\Nothing", false},
                                          {"\\\\localhost\\C$\\Users", false},
                                          {"C:", false},
                                          {"", false}}) {
    SCOPED_TRACE(row.final_path);
    EXPECT_EQ(on_local_fixed_drive(row.final_path), row.fixed);
  }
  m.fail(Call::GetDriveType, 5);
  EXPECT_FALSE(on_local_fixed_drive("C:\\Users"));  // DRIVE_UNKNOWN
}

TEST_F(RealLocationTest, ExpandedPaths) {
  std::string long_value(5000, 'v');
  m.set_environment("LONG", long_value);
  EXPECT_EQ(expanded_path("%SystemDrive%\\Users"), "C:\\Users");
  EXPECT_EQ(expanded_path("%LONG%\\x"), long_value + "\\x");
  EXPECT_EQ(expanded_path("%NotSet%\\x"), "%NotSet%\\x");
  EXPECT_EQ(expanded_path(""), "");
  m.fail(Call::ExpandEnvironmentStrings, 8, 2);  // the second call, after the size
  EXPECT_EQ(expanded_path("%SystemRoot%"), std::nullopt);
  m.fail(Call::ExpandEnvironmentStrings, 8, 1);
  EXPECT_EQ(expanded_path("%SystemRoot%"), std::nullopt);
}

}  // namespace
