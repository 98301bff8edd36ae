// The sim's two registry views, and the accessor's run-wide view flag. Windows is the
// authority ("Registry Keys Affected by WOW64"); tests/contract pins what Wine does.
#include <gmock/gmock.h>

#include "platform/registry.h"
#include "platform/sim/registry_views.h"
#include "sim_test.h"

namespace {

using platform::kKeyWow6432Key;
using platform::kKeyWow6464Key;

class RegistryViewsTest : public SimTest {
 protected:
  void TearDown() override { platform::set_registry_view(0); }
};

TEST_F(RegistryViewsTest, ThirtyTwoBitPathsFollowTheRedirector) {
  struct Row {
    const char* logical;
    const char* stored;
  };
  const Row rows[] = {
      {"SOFTWARE\\The Document Foundation\\LibreOffice", "SOFTWARE\\Wow6432Node\\The Document Foundation\\LibreOffice"},
      {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{X}",
       "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{X}"},
      {"software\\microsoft\\windows nt\\currentversion\\profilelist\\S-1-5-18",
       "software\\microsoft\\windows nt\\currentversion\\profilelist\\S-1-5-18"},
      {"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileListX",
       "SOFTWARE\\Wow6432Node\\Microsoft\\Windows NT\\CurrentVersion\\ProfileListX"},
      {"SOFTWARE\\Classes\\AppID\\{82154420}", "SOFTWARE\\Classes\\AppID\\{82154420}"},
      {"SOFTWARE\\Classes\\Installer\\UpgradeCodes", "SOFTWARE\\Classes\\Installer\\UpgradeCodes"},
      {"SOFTWARE\\Classes\\CLSID\\{1}", "SOFTWARE\\Classes\\Wow6432Node\\CLSID\\{1}"},
      {"SOFTWARE\\Wow6432Node\\Vendor", "SOFTWARE\\Wow6432Node\\Vendor"},
      {"SOFTWARE", "SOFTWARE\\Wow6432Node"},
      {"SOFTWAREX\\Vendor", "SOFTWAREX\\Vendor"},
      {"SYSTEM\\CurrentControlSet", "SYSTEM\\CurrentControlSet"},
      {"", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.logical);
    EXPECT_EQ(sim::path_in_32bit_view(row.logical), row.stored);
  }
}

// Which copy of a vendor key an open reaches, for every kind of machine and program.
TEST_F(RegistryViewsTest, OpensReachTheViewOfTheProgramOrOfTheirFlag) {
  struct Row {
    const char* name;
    bool windows64, program64;
    std::uint32_t flag;
    const char* reached;  // "64", "32" or the only copy on 32-bit Windows
  };
  const Row rows[] = {
      {"32-bit Windows ignores the flags", false, false, kKeyWow6464Key, "native"},
      {"32-bit program on 64-bit Windows", true, false, 0, "32"},
      {"32-bit program asking for the 64-bit view", true, false, kKeyWow6464Key, "64"},
      {"32-bit program asking for its own view", true, false, kKeyWow6432Key, "32"},
      {"64-bit program", true, true, 0, "64"},
      {"64-bit program asking for the 32-bit view", true, true, kKeyWow6432Key, "32"},
      {"64-bit program asking for its own view", true, true, kKeyWow6464Key, "64"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::Machine& machine = sim::reset();
    machine.windows_is_64_bit = row.windows64;
    machine.program_is_64_bit = row.program64;
    if (row.windows64) {
      machine.set_string(HKLM, "SOFTWARE\\Vendor", "Bits", "64");
      machine.set_string(HKLM, "SOFTWARE\\Wow6432Node\\Vendor", "Bits", "32");
    } else {
      machine.set_string(HKLM, "SOFTWARE\\Vendor", "Bits", "native");
    }
    // A relative open below a key opened in the same view stays in that view.
    machine.add_key(HKLM, "SOFTWARE\\Wow6432Node\\Vendor\\Sub");
    machine.add_key(HKLM, "SOFTWARE\\Vendor\\Sub");
    platform::set_registry_view(row.flag);
    Registry registry(HKLM, platform::kKeyRead);
    ASSERT_TRUE(registry.open_read_only("\\SOFTWARE\\Vendor"));
    EXPECT_EQ(registry.read_string("Bits"), row.reached);
    EXPECT_TRUE(registry.open_read_only("Sub"));
    // The identifiers under HKCR are shared: every view reads the same key.
    machine.set_string(HKCR, "AppID\\{A}", "", "LibreOffice");
    Registry classes(HKCR, platform::kKeyRead);
    ASSERT_TRUE(classes.open_read_only("AppID\\{A}"));
    EXPECT_EQ(classes.read_string(""), "LibreOffice");
  }
}

TEST_F(RegistryViewsTest, EveryOpenOfTheAccessorCarriesTheViewFlag) {
  m.windows_is_64_bit = true;
  m.set_string(HKLM, "SOFTWARE\\Vendor", "Bits", "64");
  platform::set_registry_view(kKeyWow6464Key);
  Registry registry(HKLM);
  EXPECT_TRUE(registry.key_exists("SOFTWARE\\Vendor"));
  EXPECT_FALSE(registry.key_missing("SOFTWARE\\Vendor"));
  EXPECT_TRUE(registry.open_read_only("SOFTWARE\\Vendor"));
  platform::set_registry_view(0);
  EXPECT_FALSE(registry.key_exists("SOFTWARE\\Vendor"));
  EXPECT_TRUE(registry.key_missing("SOFTWARE\\Vendor"));
  EXPECT_FALSE(registry.open_read_only("\\SOFTWARE\\Vendor"));
}

}  // namespace
