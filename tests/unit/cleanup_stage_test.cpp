#include <gmock/gmock.h>

#include "removal/cleanup_guards.h"
#include "fonction.h"
#include "platform/folder_calls.h"
#include "platform/path_calls.h"
#include "removal/cleanup_stage.h"
#include "sim_test.h"
#include "suite_world.h"

namespace {

using world::kDesktop;
using world::kFolder;
using world::kProductKey;
using world::kPrograms;

const char* const kModules[] = {"Writer", "Calc", "Draw", "Impress", "Base", "Math"};

class CleanupStageTest : public SimTest {
 protected:
  void SetUp() override {
    for (const char* module : kModules) m.add_file(kDesktop + "\\LibreOffice " + module + ".lnk");
    m.add_file(kDesktop + "\\" + kProductKey + ".lnk");
    m.add_file(kDesktop + "\\Other Vendor.lnk");
    m.add_file(m.shell_folders[platform::kCsidlStartup] + "\\LibreOffice Quickstart Office.lnk");
    m.add_file(kFolder + "share\\left-behind.dat");
    m.add_file(kFolder + "readme.txt", "", platform::kFileAttributeReadOnly);
    m.add_file(kPrograms + "\\" + kProductKey + "\\LibreOffice Calc.lnk");
    m.add_file(kPrograms + "\\Accessories\\Notepad.lnk");
    m.shell_folders[0x24] = "C:\\Windows";
    m.shell_folders[0x26] = "C:\\Program Files (x86)";
    m.shell_folders[0x23] = "C:\\ProgramData";
    m.shell_folders[0x28] = "D:\\Profiles\\admin";
    m.add_folder("D:\\Profiles\\admin\\Documents");
  }
  std::vector<std::string> recycled() const { return recycled_roots(m); }
};

TEST_F(CleanupStageTest, RemovesTheSuitesShortcutsAndRecyclesItsFolders) {
  NETTOIE_LIBREOFFICE("c:\\program files\\libreoffice\\", kProductKey);
  for (const char* module : kModules)
    EXPECT_FALSE(m.file_exists(kDesktop + "\\LibreOffice " + module + ".lnk")) << module;
  EXPECT_FALSE(m.file_exists(kDesktop + "\\" + kProductKey + ".lnk"));
  EXPECT_TRUE(m.file_exists(kDesktop + "\\Other Vendor.lnk"));
  EXPECT_TRUE(m.file_exists(m.shell_folders[platform::kCsidlStartup] + "\\LibreOffice Quickstart Office.lnk"));
  EXPECT_FALSE(m.folder_exists(kFolder));
  EXPECT_FALSE(m.folder_exists(kPrograms + "\\" + kProductKey));
  EXPECT_TRUE(m.file_exists(kPrograms + "\\Accessories\\Notepad.lnk"));
  // The bin holds each folder with everything that was left in it.
  EXPECT_THAT(recycled_roots(m), ::testing::UnorderedElementsAre("c:\\program files\\libreoffice",
                                                                 kPrograms + "\\" + kProductKey));
  EXPECT_THAT(recycled_files(m),
              ::testing::UnorderedElementsAre("c:\\program files\\libreoffice\\readme.txt",
                                              "c:\\program files\\libreoffice\\share\\left-behind.dat",
                                              kPrograms + "\\" + kProductKey + "\\LibreOffice Calc.lnk"));
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(CleanupStageTest, AFolderWithAShortcutNameAndAbsentFoldersAreLeftAlone) {
  m.add_folder(kDesktop + "\\LibreOffice Base.lnk\\inside");
  m.add_folder(kDesktop + "\\" + kProductKey + ".lnk");
  NETTOIE_LIBREOFFICE("c:\\program files\\gone\\", kProductKey);
  EXPECT_TRUE(m.folder_exists(kDesktop + "\\LibreOffice Base.lnk\\inside"));
  EXPECT_TRUE(m.folder_exists(kDesktop + "\\" + kProductKey + ".lnk"));
  EXPECT_TRUE(m.folder_exists(kFolder));
  EXPECT_EQ(recycled(), std::vector<std::string>{kPrograms + "\\" + kProductKey});
}

TEST_F(CleanupStageTest, NeverRecyclesADriveASystemFolderOrAnythingAboveOne) {
  struct Row {
    const char* name;
    const char* folder;
  };
  const Row refused[] = {
      {"drive root", "C:\\"},        {"root of the current drive", "\\"},
      {"drive-relative", "C:"},      {"relative", "program files\\libreoffice\\"},
      {"windows", "c:\\windows\\"},  {"system", "C:\\Windows\\System32\\"},
      {"program files", "c:\\program files\\"},
      {"program files (x86)", "C:\\Program Files (x86)\\"},
      {"programdata", "c:\\programdata\\"},
      {"users", "C:\\Users\\"},      {"public desktop's parent", "C:\\Users\\Public\\"},
      {"the desktop itself", "C:\\Users\\Public\\Desktop\\"},
      {"above the start menu", "C:\\ProgramData\\Microsoft\\"},
      {"a profile on another drive", "D:\\Profiles\\admin\\"},
      {"the profiles' folder", "D:\\Profiles\\"},
      {"dot-dot step", "c:\\program files\\libreoffice\\..\\"},
      {"dot step", "c:\\program files\\.\\"},
      {"short name", "c:\\progra~1\\"},
      {"trailing dot", "c:\\windows.\\"},
      {"wildcard", "c:\\program files\\lib*\\"},
  };
  for (const auto& row : refused) {
    SCOPED_TRACE(row.name);
    sim::reset();
    SetUp();
    m.add_folder(row.folder[0] == '\\' || row.folder[1] != ':' ? "C:\\program files\\libreoffice"
                                                                 : row.folder);
    NETTOIE_LIBREOFFICE(row.folder, "..");  // a key that removes nothing on its own
    EXPECT_TRUE(m.recycle_bin.empty());
    EXPECT_TRUE(m.folder_exists("C:\\Windows\\system32"));
    EXPECT_TRUE(m.file_exists(kFolder + "share\\left-behind.dat"));
  }
}

// A machine whose folders go by other names too: the profile list, a junction from
// the old profiles' name, a short name, a substituted drive, a removable, a network
// and a mounted drive, and a profile the list does not know of but its hive shows.
class RealLocationCleanupTest : public CleanupStageTest {
 protected:
  void SetUp() override {
    CleanupStageTest::SetUp();
    world::add_profile_list(m);
    m.add_file("C:\\Windows\\Fonts\\arial.ttf", "font");
    m.add_folder_link("C:\\Documents and Settings", "C:\\Users");
    m.find_node("C:\\Program Files")->short_name = "PROGRA~1";
    m.substituted_drives['S'] = "C:\\Windows";
    m.add_file("E:\\LibreOffice\\readme.txt");
    m.drive_types['E'] = platform::kDriveRemovable;
    m.add_file("Z:\\LibreOffice\\readme.txt");
    m.drive_types['Z'] = platform::kDriveRemote;
    m.add_folder_link("C:\\Mounted", "E:\\");
    m.add_file("C:\\Profiles\\bob\\NTUSER.DAT", "regf");
    m.add_file("C:\\Profiles\\bob\\LibreOffice\\readme.txt");
    m.add_file("C:\\Users\\Public\\LibreOffice\\readme.txt");
    m.add_file("D:\\Apps\\LibreOffice\\readme.txt");
    // A listed profile on another drive whose hive is not (yet) there.
    m.set_string(HKLM, world::kProfileList + "\\S-1-5-21-1-2-3-1003", "ProfileImagePath", "D:\\Home\\carol",
                 platform::kRegExpandSz);
    m.add_file("D:\\Home\\carol\\LibreOffice\\readme.txt");
    // A profile listed by the name older Windows gave it, which a junction keeps.
    m.set_string(HKLM, world::kProfileList + "\\S-1-5-21-1-2-3-1004", "ProfileImagePath",
                 "C:\\Documents and Settings\\dave", platform::kRegExpandSz);
    m.add_file("C:\\Users\\dave\\LibreOffice\\readme.txt");
  }
  // Every file and folder outside the desktop, whose shortcuts the cleanup may delete.
  std::vector<std::string> outside_desktop() const {
    std::vector<std::string> lines;
    for (const auto& line : m.file_lines())
      if (line.rfind(kDesktop + "\\", 0) != 0) lines.push_back(line);
    return lines;
  }
};

TEST_F(RealLocationCleanupTest, KeepsWhatReallyIsWindowsAProfileOrOffALocalFixedDrive) {
  struct Row {
    const char* name;
    const char* folder;  // as the registry would record it
  };
  const Row refused[] = {
      {"the fonts folder", "C:\\Windows\\Fonts\\"},
      {"another user's profile", "C:\\Users\\alice\\"},
      {"inside another user's profile", "C:\\Users\\alice\\Documents\\"},
      {"the default profile", "C:\\Users\\Default\\"},
      {"a profile by its old name", "C:\\Documents and Settings\\alice\\"},
      {"a system account's profile", "C:\\Windows\\system32\\config\\systemprofile\\"},
      {"a listed profile without its hive", "D:\\Home\\carol\\LibreOffice\\"},
      {"above a listed profile", "D:\\Home\\"},
      {"a profile listed by its old name", "C:\\Users\\dave\\LibreOffice\\"},
      {"a profile the list misses, by its hive", "C:\\Profiles\\bob\\"},
      {"inside that profile", "C:\\Profiles\\bob\\LibreOffice\\"},
      {"the fonts folder through this machine's share", "\\\\localhost\\C$\\Windows\\Fonts\\"},
      {"any folder through a share: no Recycle Bin", "\\\\127.0.0.1\\C$\\Program Files\\LibreOffice\\"},
      {"a substituted drive", "S:\\Fonts\\"},
      {"a removable drive", "E:\\LibreOffice\\"},
      {"a removable drive mounted in a folder", "C:\\Mounted\\LibreOffice\\"},
      {"a network drive", "Z:\\LibreOffice\\"},
  };
  for (const auto& row : refused) {
    SCOPED_TRACE(row.name);
    sim::reset();
    SetUp();
    const auto before = outside_desktop();
    NETTOIE_LIBREOFFICE(row.folder, "..");  // a key that removes nothing on its own
    EXPECT_TRUE(m.recycle_bin.empty());
    EXPECT_EQ(outside_desktop(), before);
    EXPECT_EQ(m.open_handles(), 0);
  }
  // The same rules leave an ordinary folder removable, on any fixed drive.
  for (const char* folder : {"C:\\Program Files\\LibreOffice\\", "C:\\Users\\Public\\LibreOffice\\",
                             "D:\\Apps\\LibreOffice\\"}) {
    SCOPED_TRACE(folder);
    sim::reset();
    SetUp();
    NETTOIE_LIBREOFFICE(folder, "..");
    EXPECT_EQ(recycled(), std::vector<std::string>{PATHREMOVESEPARATOR(folder)});
  }
}

TEST_F(RealLocationCleanupTest, AProfileListThatCannotBeReadKeepsEverything) {
  for (const std::uint32_t type : {platform::kRegDword, platform::kRegBinary, platform::kRegMultiSz}) {
    SCOPED_TRACE("stored as type " + std::to_string(type));
    sim::reset();
    SetUp();
    m.set_value(HKLM, world::kProfileList + "\\" + world::kAliceSid, "ProfileImagePath", type,
                std::string(8, '\0'));
    const auto before = m.file_lines();
    NETTOIE_LIBREOFFICE("c:\\program files\\libreoffice\\", kProductKey);
    EXPECT_EQ(m.file_lines(), before);  // the shortcuts too: the desktop may be a profile's
    EXPECT_TRUE(m.recycle_bin.empty());
    EXPECT_TRUE(m.message_boxes.empty());
    EXPECT_EQ(m.open_handles(), 0);
  }
}

TEST_F(RealLocationCleanupTest, TheDesktopAndTheStartMenuAreJudgedWhereTheyReallyAre) {
  struct Row {
    const char* name;
    std::string desktop, programs;            // as the shell names them
    std::string real_desktop, real_programs;  // where they are
  };
  const std::string public_programs = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
  const std::vector<Row> rows = {
      {"in a profile", "C:\\Users\\alice\\Desktop", "C:\\Users\\alice\\Start Menu",
       "C:\\Users\\alice\\Desktop", "C:\\Users\\alice\\Start Menu"},
      {"in a profile by its old name", "C:\\Documents and Settings\\alice\\Desktop",
       "C:\\Documents and Settings\\alice\\Start Menu", "C:\\Users\\alice\\Desktop",
       "C:\\Users\\alice\\Start Menu"},
      {"in the Windows folder", "C:\\Windows\\Desktop", "S:\\Start Menu", "C:\\Windows\\Desktop",
       "C:\\Windows\\Start Menu"},
      {"through a share", "\\\\localhost\\C$\\Users\\Public\\Desktop",
       "\\\\localhost\\C$\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs", kDesktop,
       public_programs},
      {"on a removable drive", "E:\\Desktop", "E:\\Start Menu", "E:\\Desktop", "E:\\Start Menu"},
      {"above the profiles", "C:\\Users", "C:\\Users\\dave", "C:\\Users", "C:\\Users\\dave"},
      {"a drive root", "C:\\", "C:\\Users\\Default", "C:\\", "C:\\Users\\Default"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::reset();
    SetUp();
    m.shell_folders[platform::kCsidlCommonDesktopDirectory] = row.desktop;
    m.shell_folders[platform::kCsidlCommonPrograms] = row.programs;
    m.add_file(row.real_desktop + "\\LibreOffice Writer.lnk");
    m.add_file(row.real_programs + "\\" + kProductKey + "\\LibreOffice Writer.lnk");
    NETTOIE_LIBREOFFICE("c:\\program files\\libreoffice\\", kProductKey);
    EXPECT_TRUE(m.file_exists(row.real_desktop + "\\LibreOffice Writer.lnk"));
    EXPECT_TRUE(m.file_exists(row.real_programs + "\\" + kProductKey + "\\LibreOffice Writer.lnk"));
    EXPECT_EQ(recycled(), std::vector<std::string>{"c:\\program files\\libreoffice"});
  }
  // The shell's own folders by another spelling are still those folders.
  sim::reset();
  SetUp();
  m.add_folder_link("C:\\All Users", "C:\\ProgramData");
  m.shell_folders[platform::kCsidlCommonDesktopDirectory] = "C:\\Documents and Settings\\Public\\Desktop";
  m.shell_folders[platform::kCsidlCommonPrograms] = "C:\\All Users\\Microsoft\\Windows\\Start Menu\\Programs";
  NETTOIE_LIBREOFFICE("c:\\program files\\libreoffice\\", kProductKey);
  EXPECT_FALSE(m.file_exists(kDesktop + "\\LibreOffice Writer.lnk"));
  EXPECT_EQ(recycled(), (std::vector<std::string>{
                            "c:\\program files\\libreoffice",
                            "C:\\All Users\\Microsoft\\Windows\\Start Menu\\Programs\\" + kProductKey}));
}

TEST_F(CleanupStageTest, RemovableFolders) {
  const std::vector<std::string> kept = {"C:\\Windows", "C:\\Users\\Public\\Desktop", ""};
  struct Row {
    const char* folder;
    bool removable;
  };
  for (const auto& row : {Row{"c:\\program files\\libreoffice\\", true},
                          Row{"C:\\LibreOffice", true},
                          Row{"\\\\server\\share\\libreoffice\\", true},
                          Row{"\\\\server\\share\\", false},
                          Row{"\\\\server\\", false},
                          Row{"C:\\Users\\Public\\Desktop\\LibreOffice", true},
                          Row{"C:\\Users\\Public\\Desktop", false},
                          Row{"C:\\Users", false},
                          Row{"c:\\windows", false},
                          Row{"c:\\windows\\..", false},
                          Row{"c:/program files/libreoffice", false},
                          Row{"", false}}) {
    SCOPED_TRACE(row.folder);
    EXPECT_EQ(is_removable_folder(row.folder, kept), row.removable);
  }
}

TEST_F(CleanupStageTest, AProductKeyThatIsNoPlainNameNamesNothing) {
  for (const char* key : {"", ".", "..", "..\\..\\Windows", "a\\b", "a/b", "C:x"}) {
    SCOPED_TRACE(key);
    sim::reset();
    SetUp();
    m.add_file(kDesktop + "\\..lnk");
    m.add_folder(kPrograms + "\\..");
    NETTOIE_LIBREOFFICE("c:\\program files\\libreoffice\\", key);
    EXPECT_TRUE(m.folder_exists(kPrograms + "\\Accessories"));
    EXPECT_TRUE(m.file_exists(kDesktop + "\\..lnk"));
    EXPECT_TRUE(m.file_exists(kDesktop + "\\Other Vendor.lnk"));
    EXPECT_EQ(recycled(), std::vector<std::string>{"c:\\program files\\libreoffice"});
  }
}

TEST_F(CleanupStageTest, AMissingShellFolderSkipsItsSteps) {
  m.shell_folders.erase(platform::kCsidlCommonDesktopDirectory);
  m.shell_folders.erase(platform::kCsidlCommonPrograms);
  m.add_file("C:\\LibreOffice Writer.lnk");
  m.add_folder("C:\\" + kProductKey + "\\keep");
  NETTOIE_LIBREOFFICE("c:\\program files\\libreoffice\\", kProductKey);
  EXPECT_TRUE(m.file_exists("C:\\LibreOffice Writer.lnk"));
  EXPECT_TRUE(m.folder_exists("C:\\" + kProductKey + "\\keep"));
  EXPECT_TRUE(m.file_exists(kDesktop + "\\LibreOffice Writer.lnk"));
  EXPECT_EQ(recycled(), std::vector<std::string>{"c:\\program files\\libreoffice"});
}

TEST_F(CleanupStageTest, AFolderLinkIsNeverRecycled) {
  m.add_file("C:\\Important\\data.txt");
  m.add_folder_link("C:\\Program Files\\Linked", "C:\\Important");
  NETTOIE_LIBREOFFICE("c:\\program files\\linked\\", kProductKey);
  EXPECT_TRUE(m.file_exists("C:\\Important\\data.txt"));
  EXPECT_EQ(recycled(), std::vector<std::string>{kPrograms + "\\" + kProductKey});
}

TEST_F(CleanupStageTest, CollaboraShortcutsOnlyForACollaboraProductKey) {
  const char* const apps[] = {"Calc", "Writer", "Math", "Draw", "Impress"};
  for (const char* app : apps) m.add_file(kDesktop + "\\Collabora Office " + app + ".lnk");
  NETTOIE_LIBREOFFICE("c:\\program files\\libreoffice\\", kProductKey);
  for (const char* app : apps) EXPECT_TRUE(m.file_exists(kDesktop + "\\Collabora Office " + app + ".lnk"));
  NETTOIE_LIBREOFFICE("c:\\program files\\collabora office\\", "Collabora Office 24.04");
  for (const char* app : apps) EXPECT_FALSE(m.file_exists(kDesktop + "\\Collabora Office " + app + ".lnk"));
  EXPECT_TRUE(m.file_exists(kDesktop + "\\Other Vendor.lnk"));
}

}  // namespace
