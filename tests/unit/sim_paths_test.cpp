// The sim's reading of paths and its final names, drive types and environment: what
// the contract cases cannot show under Wine (shares of this machine, short names,
// substituted drives, removable and network drives, injected faults, handle counts).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/environment_calls.h"
#include "platform/file_calls.h"
#include "platform/path_calls.h"
#include "platform/process_calls.h"  // kMaxPath
#include "platform/sim/machine.h"

namespace {

using sim::Call;
using Kind = sim::Machine::HandleKind;
namespace p = platform;

constexpr std::uint32_t kShareAll = p::kFileShareRead | p::kFileShareWrite | p::kFileShareDelete;

class SimPaths : public ::testing::Test {
 protected:
  sim::Machine& m = sim::reset();
  void SetUp() override {
    m.add_file("C:\\Program Files\\LibreOffice\\program\\soffice.bin");
    m.find_node("C:\\Program Files")->short_name = "PROGRA~1";
    m.add_file("C:\\Windows\\Fonts\\arial.ttf");
    m.add_folder("C:\\Users\\alice\\Documents");
    m.add_folder_link("C:\\Documents and Settings", "C:\\Users");
    m.add_folder_link("C:\\Hop", "C:\\Documents and Settings");
    m.add_folder("E:\\Stick");
    m.drive_types['E'] = p::kDriveRemovable;
    m.add_folder_link("C:\\Mounted", "E:\\");
    m.substituted_drives['S'] = "C:\\Windows";
    m.shares["DATA"] = "C:\\Users";
  }

  // The final name through the calls a caller makes: open, ask, close.
  std::string final_name(const std::string& path, std::uint32_t flags = p::kFileFlagBackupSemantics) {
    const p::Handle file = p::create_file(path, p::kFileReadAttributes, kShareAll, p::kOpenExisting, flags);
    if (file == p::kInvalidHandle) return "error " + std::to_string(p::last_error());
    char buffer[p::kMaxPath + 1] = {};
    const std::uint32_t length = p::get_final_path_name_by_handle(file, buffer, sizeof buffer, 0);
    EXPECT_TRUE(p::close_handle(file));
    return length == 0 ? "error " + std::to_string(p::last_error()) : std::string(buffer, length);
  }
};

TEST_F(SimPaths, EverySpellingLeadsToTheFinalNameAsStored) {
  struct Row {
    const char* name;
    std::string path;
    std::string final_name;
  };
  const std::string fonts = "\\\\?\\C:\\Windows\\Fonts";
  const std::string alice = "\\\\?\\C:\\Users\\alice";
  const std::vector<Row> rows = {
      {"as stored", "C:\\Windows\\Fonts", fonts},
      {"other case", "c:\\WINDOWS\\fonts\\", fonts},
      {"forward slashes", "C:/Windows/Fonts/", fonts},
      {"doubled separators", "C:\\\\Windows\\\\\\Fonts", fonts},
      {"dot and dot-dot", "C:\\Windows\\.\\System32\\..\\Fonts", fonts},
      {"dot-dot above the root stays at the root", "C:\\..\\..\\Windows\\Fonts", fonts},
      {"trailing dots and blanks of the last name", "C:\\Windows\\Fonts. . ", fonts},
      {"one trailing dot of a name on the way", "C:\\Windows.\\Fonts", fonts},
      {"short name", "C:\\PROGRA~1\\LibreOffice", "\\\\?\\C:\\Program Files\\LibreOffice"},
      {"verbatim prefix", "\\\\?\\C:\\Windows\\Fonts", fonts},
      {"device prefix, normalised", "\\\\.\\C:\\Windows\\x\\..\\Fonts", fonts},
      {"verbatim prefix written with slashes is normalised", "//?/C:/Windows/Fonts", fonts},
      {"a junction on the way", "C:\\Documents and Settings\\alice", alice},
      {"a link to a link", "C:\\Hop\\alice\\Documents", alice + "\\Documents"},
      {"the junction itself, followed", "C:\\Documents and Settings", "\\\\?\\C:\\Users"},
      {"a volume mounted in a folder", "C:\\Mounted\\Stick", "\\\\?\\E:\\Stick"},
      {"a substituted drive", "S:\\Fonts", fonts},
      {"an admin share of this machine", "\\\\localhost\\C$\\Windows\\Fonts",
       "\\\\?\\UNC\\localhost\\C$\\Windows\\Fonts"},
      {"by address, normalised", "\\\\127.0.0.1\\c$\\Windows\\..\\Windows\\Fonts",
       "\\\\?\\UNC\\127.0.0.1\\c$\\Windows\\Fonts"},
      {"a named share", "//QUORVALIS-PC/Data/alice", "\\\\?\\UNC\\QUORVALIS-PC\\Data\\alice"},
      {"verbatim share", "\\\\?\\UNC\\localhost\\C$\\Windows", "\\\\?\\UNC\\localhost\\C$\\Windows"},
      {"dot-dot does not leave a share", "\\\\localhost\\C$\\..\\..\\Windows",
       "\\\\?\\UNC\\localhost\\C$\\Windows"},
      {"a drive root", "C:\\", "\\\\?\\C:\\"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(final_name(row.path), row.final_name);
  }
  EXPECT_EQ(m.open_handles(Kind::File), 0);
}

TEST_F(SimPaths, SpellingsWindowsRefusesLeadNowhere) {
  struct Row {
    const char* name;
    std::string path;
    std::uint32_t error;
  };
  const std::vector<Row> rows = {
      {"verbatim dot-dot", "\\\\?\\C:\\Windows\\..\\Windows", p::kErrorInvalidName},
      {"verbatim dot", "\\\\?\\C:\\Windows\\.\\Fonts", p::kErrorInvalidName},
      {"verbatim forward slash", "\\\\?\\C:\\Windows/Fonts", p::kErrorInvalidName},
      {"verbatim doubled separator", "\\\\?\\C:\\Windows\\\\Fonts", p::kErrorInvalidName},
      {"verbatim keeps trailing dots", "\\\\?\\C:\\Windows\\Fonts.", p::kErrorFileNotFound},
      {"verbatim volume, no folder", "\\\\?\\C:", p::kErrorPathNotFound},
      {"a device that is no drive", "\\\\.\\PhysicalDrive0", p::kErrorPathNotFound},
      {"a blank before a separator stays", "C:\\Windows \\Fonts", p::kErrorPathNotFound},
      {"another machine", "\\\\server\\C$\\Windows", 53},
      {"a share this machine lacks", "\\\\localhost\\Nothing\\x", 67},
      {"a server without share", "\\\\localhost", 53},
      {"a missing drive", "Q:\\Windows", p::kErrorPathNotFound},
      {"a wildcard", "C:\\Win*", p::kErrorInvalidName},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(final_name(row.path), "error " + std::to_string(row.error));
  }
}

TEST_F(SimPaths, OpeningFollowsTheRulesOfCreateFile) {
  m.add_file("C:\\held.txt").locked = true;
  EXPECT_EQ(final_name("C:\\Windows", 0), "error 5");  // a folder needs backup semantics
  EXPECT_EQ(final_name("C:\\Documents and Settings",
                       p::kFileFlagBackupSemantics | p::kFileFlagOpenReparsePoint),
            "\\\\?\\C:\\Documents and Settings");  // the link itself
  EXPECT_EQ(final_name("C:\\held.txt", 0), "\\\\?\\C:\\held.txt");  // no data asked for
  EXPECT_EQ(p::create_file("C:\\held.txt", 0x80000000u /* GENERIC_READ */, kShareAll, p::kOpenExisting, 0),
            p::kInvalidHandle);
  EXPECT_EQ(p::last_error(), p::kErrorSharingViolation);
  EXPECT_EQ(p::create_file("C:\\new.txt", 0, kShareAll, 1 /* CREATE_NEW */, 0), p::kInvalidHandle);
  EXPECT_EQ(p::last_error(), p::kErrorInvalidParameter);  // the sim opens, never creates
  EXPECT_FALSE(m.file_exists("C:\\new.txt"));
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(SimPaths, FinalNameSizesAndFailures) {
  const p::Handle file = p::create_file("C:\\Windows", 0, kShareAll, p::kOpenExisting,
                                        p::kFileFlagBackupSemantics);
  ASSERT_NE(file, p::kInvalidHandle);
  EXPECT_EQ(m.open_handles(Kind::File), 1);
  const std::string name = "\\\\?\\C:\\Windows";
  const auto length = static_cast<std::uint32_t>(name.size());
  std::string buffer(length + 1, 'x');
  EXPECT_EQ(p::get_final_path_name_by_handle(file, nullptr, 0, 0), length + 1);
  EXPECT_EQ(p::get_final_path_name_by_handle(file, buffer.data(), length, 0), length + 1);
  EXPECT_EQ(buffer, std::string(length + 1, 'x'));
  EXPECT_EQ(p::get_final_path_name_by_handle(file, buffer.data(), length + 1, 0), length);
  EXPECT_EQ(buffer, name + '\0');
  EXPECT_EQ(p::get_final_path_name_by_handle(file, buffer.data(), length + 1, 8 /* FILE_NAME_OPENED */), 0u);
  EXPECT_EQ(p::last_error(), p::kErrorInvalidParameter);

  m.fail(Call::GetFinalPathName, 5, 1, false, "C:\\Windows");
  EXPECT_EQ(p::get_final_path_name_by_handle(file, buffer.data(), length + 1, 0), 0u);
  EXPECT_EQ(p::last_error(), 5u);
  EXPECT_TRUE(p::close_handle(file));
  EXPECT_EQ(p::get_final_path_name_by_handle(file, buffer.data(), length + 1, 0), 0u);
  EXPECT_EQ(p::last_error(), p::kErrorInvalidHandle);
  EXPECT_FALSE(p::close_handle(file));

  m.fail(Call::CreateFile, 32, 1, false, "C:\\Windows");
  EXPECT_EQ(final_name("C:\\Windows"), "error 32");
  EXPECT_EQ(final_name("C:\\Windows"), "\\\\?\\C:\\Windows");  // once only
  EXPECT_EQ(m.faults_injected(), 2);
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(SimPaths, DriveTypes) {
  m.add_folder("Z:\\Shared");
  m.drive_types['Z'] = p::kDriveRemote;
  struct Row {
    const char* root;
    std::uint32_t type;
  };
  for (const auto& row : std::vector<Row>{{"C:\\", p::kDriveFixed},
                                          {"c:\\", p::kDriveFixed},
                                          {"E:\\", p::kDriveRemovable},
                                          {"Z:\\", p::kDriveRemote},
                                          {"S:\\", p::kDriveFixed},  // substituted: its drive's
                                          {"Q:\\", p::kDriveNoRootDir},
                                          {"C:", p::kDriveNoRootDir},
                                          {"C:\\Windows\\", p::kDriveNoRootDir},
                                          {"\\\\localhost\\C$\\", p::kDriveRemote},
                                          {"\\\\server\\share\\", p::kDriveNoRootDir},
                                          {"", p::kDriveNoRootDir}}) {
    SCOPED_TRACE(row.root);
    EXPECT_EQ(p::get_drive_type(row.root), row.type);
  }
  m.fail(Call::GetDriveType, 5, 1, false, "C:\\");
  EXPECT_EQ(p::get_drive_type("C:\\"), p::kDriveUnknown);
  EXPECT_EQ(p::last_error(), 5u);
}

TEST_F(SimPaths, TheShellRecyclesOnlyOnALocalFixedDrive) {
  m.add_file("C:\\Users\\alice\\Documents\\a.txt");
  m.add_file("C:\\Users\\alice\\Documents\\b.txt");
  m.add_file("E:\\Stick\\c.txt");
  m.add_file("C:\\Keep\\d.txt");
  for (const std::string item : {"\\\\localhost\\C$\\Users\\alice\\Documents\\a.txt",
                                 "//localhost/Data/alice/Documents/b.txt", "E:\\Stick\\c.txt",
                                 "C:\\Mounted\\Stick", "S:\\Fonts\\arial.ttf", "C:\\Keep"}) {
    p::FileOperation operation;
    operation.function = p::kFoDelete;
    operation.from = item + std::string(2, '\0');
    operation.flags = 0x654;  // silent, with undo
    EXPECT_EQ(p::sh_file_operation(operation), 0) << item;
  }
  EXPECT_FALSE(m.find_node("C:\\Users\\alice\\Documents\\a.txt"));
  EXPECT_FALSE(m.find_node("C:\\Users\\alice\\Documents\\b.txt"));
  EXPECT_FALSE(m.find_node("E:\\Stick"));
  EXPECT_FALSE(m.find_node("C:\\Windows\\Fonts\\arial.ttf"));
  std::vector<std::string> recycled;
  for (const auto& item : m.recycle_bin) recycled.push_back(item.original_path);
  // Only what was on a fixed drive reached the bin; through a share or from the stick
  // it is gone for good.
  EXPECT_EQ(recycled, (std::vector<std::string>{"C:\\Windows\\Fonts\\arial.ttf", "C:\\Keep"}));
}

TEST_F(SimPaths, ListingMatchesShortNamesAndKeepsTheDotOfAMask) {
  m.add_file("C:\\d\\noext");
  m.add_file("C:\\d\\with.ext");
  p::FindData data;
  p::Handle search = p::find_first_file("C:\\PROGRA~1", data);
  ASSERT_NE(search, p::kInvalidHandle);
  EXPECT_EQ(data.name, "Program Files");
  EXPECT_TRUE(p::find_close(search));
  search = p::find_first_file("C:\\d\\*.", data);  // names without an extension
  ASSERT_NE(search, p::kInvalidHandle);
  std::vector<std::string> names{data.name};
  while (p::find_next_file(search, data)) names.push_back(data.name);
  EXPECT_TRUE(p::find_close(search));
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", "noext"}));
}

TEST_F(SimPaths, EnvironmentStringsExpandLikeWindows) {
  m.set_environment("Quorvalis_Root", "C:\\Q");
  struct Row {
    const char* source;
    const char* expanded;
  };
  for (const auto& row : std::vector<Row>{
           {"%SystemDrive%\\Users", "C:\\Users"},
           {"%systemroot%\\system32", "C:\\Windows\\system32"},
           {"%QUORVALIS_ROOT%%QUORVALIS_ROOT%", "C:\\QC:\\Q"},
           {"%NotSet%\\x", "%NotSet%\\x"},
           {"%NotSet%SystemDrive%", "%NotSetC:"},  // the closing "%" opened the next name
           {"100%", "100%"},
           {"%%", "%%"},
           {"", ""}}) {
    SCOPED_TRACE(row.source);
    const std::string expected = row.expanded;
    const auto needed = static_cast<std::uint32_t>(expected.size() + 1);
    EXPECT_EQ(p::expand_environment_strings(row.source, nullptr, 0), needed);
    std::string small(needed - 1, 'x');
    EXPECT_EQ(p::expand_environment_strings(row.source, small.data(), needed - 1), needed);
    std::string buffer(needed, 'x');
    EXPECT_EQ(p::expand_environment_strings(row.source, buffer.data(), needed), needed);
    EXPECT_EQ(buffer, expected + '\0');
  }
  m.fail(Call::ExpandEnvironmentStrings, 8, 1, false, "%SystemRoot%");
  char buffer[64];
  EXPECT_EQ(p::expand_environment_strings("%SystemRoot%", buffer, sizeof buffer), 0u);
  EXPECT_EQ(p::last_error(), 8u);
}

}  // namespace
