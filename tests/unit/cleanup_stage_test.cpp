#include <gmock/gmock.h>

#include "removal/cleanup_guards.h"
#include "platform/folder_calls.h"
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
