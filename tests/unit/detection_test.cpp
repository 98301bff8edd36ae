#include "errors.h"
#include "run/detection.h"
#include "sim_test.h"

namespace {

const char* const kAppId = "AppID\\{82154420-0FBF-11d4-8313-005004526AB4}";
const char* const kProgIdClsid = "com.sun.star.ServiceManager.1\\CLSID";

class DetectionTest : public SimTest {
 protected:
  void register_prog_id() { m.set_string(HKCR, kProgIdClsid, "", "{00000000-0000-0000-0000-000000000001}"); }
  void set_app_name(const std::string& name) { m.set_string(HKCR, kAppId, "", name); }
};

TEST_F(DetectionTest, NeedsTheProgrammaticIdentifierAndAFamilyName) {
  struct Row {
    const char* name;
    bool prog_id;
    const char* app_name;  // nullptr: application identifier key missing
    bool installed;
  };
  const Row rows[] = {
      {"LibreOffice", true, "LibreOffice 7.6", true},
      {"small letters", true, "libreoffice", true},
      {"Collabora", true, "Collabora Office", true},
      {"ZetaOffice", true, "ZetaOffice 24", true},
      {"a shorter beginning", true, "LibreOff", false},
      {"another product", true, "OpenOffice", false},
      {"empty default value", true, "", false},
      {"application identifier missing", true, nullptr, false},
      {"programmatic identifier missing", false, "LibreOffice", false},
      {"accented letter case is not folded", true, "Z\xC9TAOFFICE", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::reset();
    if (row.prog_id) register_prog_id();
    if (row.app_name) set_app_name(row.app_name);
    EXPECT_EQ(ISLIBREOFFICEINSTALL(), row.installed);
    EXPECT_EQ(sim::machine().open_handles(), 0);
  }
}

TEST_F(DetectionTest, WithoutTheIdentifierNoRegistryKeyIsRead) {
  set_app_name("LibreOffice");
  EXPECT_FALSE(ISLIBREOFFICEINSTALL());
  EXPECT_EQ(m.registry_calls(), 0);
}

TEST_F(DetectionTest, TriesTheNamesInOrderAndStopsAtTheFirst) {
  register_prog_id();
  set_app_name("LibreOffice");
  EXPECT_TRUE(ISLIBREOFFICEINSTALL());
  EXPECT_EQ(m.call_count(sim::Call::RegOpenKey), 1);
  sim::reset();
  register_prog_id();
  set_app_name("ZetaOffice");
  EXPECT_TRUE(ISLIBREOFFICEINSTALL());
  EXPECT_EQ(sim::machine().call_count(sim::Call::RegOpenKey), 3);
}

TEST_F(DetectionTest, ADefaultValueOfAnotherTypeRaisesTheDataTypeError) {
  register_prog_id();
  m.set_dword(HKCR, kAppId, "", 1);
  try {
    ISLIBREOFFICEINSTALL();
    ADD_FAILURE() << "no error raised";
  } catch (const ERegistryException& error) {
    EXPECT_EQ(error.message(), "Invalid registry data type: \"\"");
  }
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(DetectionTest, AnExpandableDefaultValueIsAccepted) {
  register_prog_id();
  m.set_string(HKCR, kAppId, "", "LibreOffice", platform::kRegExpandSz);
  EXPECT_TRUE(ISLIBREOFFICEINSTALL());
}

}  // namespace
