// The registry views the accessor's view flag reaches, against the sim and against Wine:
// the win32 build runs in a 32-bit prefix (one view) and, where the host runs 32-bit
// programs, in a 64-bit one (WoW64); the win64 build in a 64-bit prefix.
#include <gtest/gtest.h>

#include <string>

#include "platform/architecture.h"
#include "platform/registry.h"
#include "tests/contract/registry_world.h"

namespace {

using namespace platform;

const std::string kKey = "SOFTWARE\\QuorvalisContract\\Views";
const std::string kClassesKey = "AppID\\{5C0A6C1E-0000-4000-8000-QUORVALISVIEW}";
const std::string kProgIdKey = "Quorvalis.ContractView.1";
// Beside the Windows Installer's own lists (UpgradeCodes) under the same key.
const std::string kInstallerKey = "SOFTWARE\\Classes\\Installer\\QuorvalisContractView";

class RegistryViewsContract : public ::testing::Test {
 protected:
  // Each case has keys of its own: ctest may run the cases at once in one prefix.
  void SetUp() override { world::begin(); }
  void TearDown() override { set_registry_view(0); }

  static void delete_in_both_views(RegKey root, const std::string& path) {
    for (std::uint32_t flag : {kKeyWow6464Key, kKeyWow6432Key})
      world::delete_tree_in_view(root, path, flag);
  }

  // What the accessor reads under the view flag; "" when the key does not open.
  static std::string read_in_view(RegKey root, const std::string& path, std::uint32_t flag) {
    set_registry_view(flag);
    Registry registry(root, kKeyRead);
    const std::string text = registry.open_read_only(path) ? registry.read_string("Bits") : "";
    set_registry_view(0);
    return text;
  }
};

TEST_F(RegistryViewsContract, FlagsReachTheViewTheyNameOnlyOn64BitWindows) {
  for (const auto& kind : world::windows_kinds()) {
    SCOPED_TRACE(kind.name);
    world::become(kind);
    bool wow64 = false;
    ASSERT_TRUE(is_wow64_process(wow64));
    const bool program64 = program_is_64_bit();
    const bool windows64 = program64 || wow64;
    SCOPED_TRACE(windows64 ? (program64 ? "64-bit program" : "32-bit program on 64-bit Windows")
                           : "32-bit Windows");
    // On 32-bit Windows both flags are ignored: the second write lands on the first.
    world::set_string_in_view(kHkeyLocalMachine, kKey, "Bits", "64", kKeyWow6464Key);
    world::set_string_in_view(kHkeyLocalMachine, kKey, "Bits", "32", kKeyWow6432Key);
    const std::string own = windows64 && program64 ? "64" : "32";
    EXPECT_EQ(read_in_view(kHkeyLocalMachine, kKey, 0), own);
    EXPECT_EQ(read_in_view(kHkeyLocalMachine, kKey, kKeyWow6464Key), windows64 ? "64" : "32");
    EXPECT_EQ(read_in_view(kHkeyLocalMachine, kKey, kKeyWow6432Key), "32");
    // The 32-bit view is stored under Wow6432Node, which the 64-bit view shows.
    if (windows64) {
      EXPECT_EQ(read_in_view(kHkeyLocalMachine, "SOFTWARE\\Wow6432Node\\QuorvalisContract\\Views",
                             kKeyWow6464Key),
                "32");
    }
    delete_in_both_views(kHkeyLocalMachine, kKey);
    delete_in_both_views(kHkeyLocalMachine, "SOFTWARE\\QuorvalisContract");
  }
}

// Application identifiers are shared by both views on Windows 7 and later (the suite's
// one is how detection finds it from either program).
TEST_F(RegistryViewsContract, ApplicationIdentifiersAreSharedByBothViews) {
  for (const auto& kind : world::windows_kinds()) {
    SCOPED_TRACE(kind.name);
    world::become(kind);
    world::set_string_in_view(kHkeyClassesRoot, kClassesKey, "Bits", "shared", 0);
    for (std::uint32_t flag : {0u, kKeyWow6464Key, kKeyWow6432Key}) {
      SCOPED_TRACE(flag);
      EXPECT_EQ(read_in_view(kHkeyClassesRoot, kClassesKey, flag), "shared");
    }
    world::delete_tree_in_view(kHkeyClassesRoot, kClassesKey, 0);
  }
}

// Programmatic identifiers are shared too on Windows 7 and later. Wine keeps one per
// view: a 64-bit program's 64-bit view does not show one written to the 32-bit view (a
// 32-bit program asking for the 64-bit view is shown it). The end-to-end scenarios give
// both views the suite's identifier, as Windows shows it. Windows is the authority: the
// sim shares them.
TEST_F(RegistryViewsContract, ProgrammaticIdentifiersAreSharedOnWindowsNotUnderWine) {
  for (const auto& kind : world::windows_kinds()) {
    SCOPED_TRACE(kind.name);
    world::become(kind);
    world::set_string_in_view(kHkeyClassesRoot, kProgIdKey, "Bits", "32", kKeyWow6432Key);
    EXPECT_EQ(read_in_view(kHkeyClassesRoot, kProgIdKey, kKeyWow6432Key), "32");
    const bool shared = !(world::kUnderWine && program_is_64_bit());
    EXPECT_EQ(read_in_view(kHkeyClassesRoot, kProgIdKey, kKeyWow6464Key), shared ? "32" : "");
    delete_in_both_views(kHkeyClassesRoot, kProgIdKey);
  }
}

// The installer's keys under HKLM\SOFTWARE\Classes\Installer (its lists of products by
// upgrade code among them) are shared by both views on Windows 7 and later. Wine's
// installer writes them to the 64-bit view of a 64-bit prefix, and there a 64-bit
// program's 32-bit view does not show them (a 32-bit program's own view does): the
// 64-bit program's pass for an x86 suite finds no list, and does without it. Windows is
// the authority: the sim shares them.
TEST_F(RegistryViewsContract, InstallerKeysAreSharedOnWindowsNotUnderWine) {
  for (const auto& kind : world::windows_kinds()) {
    SCOPED_TRACE(kind.name);
    world::become(kind);
    world::set_string_in_view(kHkeyLocalMachine, kInstallerKey, "Bits", "64", kKeyWow6464Key);
    EXPECT_EQ(read_in_view(kHkeyLocalMachine, kInstallerKey, kKeyWow6464Key), "64");
    EXPECT_EQ(read_in_view(kHkeyLocalMachine, kInstallerKey, 0), "64");  // the program's own view
    const bool shared = !(world::kUnderWine && program_is_64_bit());
    EXPECT_EQ(read_in_view(kHkeyLocalMachine, kInstallerKey, kKeyWow6432Key), shared ? "64" : "");
    delete_in_both_views(kHkeyLocalMachine, kInstallerKey);
  }
}

}  // namespace
