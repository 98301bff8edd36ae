#include "errors.h"
#include "records/uninstall_search.h"
#include "sim_test.h"
#include "suite_world.h"

namespace {

class UninstallSearchTest : public SimTest {
 protected:
  void record(const std::string& key, const std::string& value_name, const std::string& display,
              const char* uninstall = nullptr) {
    m.set_string(HKLM, world::kUninstallKey + key, value_name, display);
    if (uninstall) m.set_string(HKLM, world::kUninstallKey + key, "UninstallString", uninstall);
  }
};

TEST_F(UninstallSearchTest, TheFirstRecordWhoseDisplayNameBeginsWithTheTextDecides) {
  record("A-first", "DisplayName", "Other Product", "other.exe");
  record("B-match", "DisplayName", "LibreOffice 7.6.4.1", "\"C:\\x\\unins.exe\" /S \"q\"");
  record("C-later", "DisplayName", "LibreOffice 7.6 Help", "later.exe");
  struct Row {
    const char* name;
    const char* search;
    const char* prog;  // RECH_PROG(search, DisplayName, UninstallString)
    const char* key;   // RECUP_CLE(search, DisplayName, UninstallString)
  };
  const Row rows[] = {
      {"prefix", "LibreOffice 7.6", "C:\\x\\unins.exe /S q", "B-match"},
      {"letter case ignored", "libreoffice 7.6", "C:\\x\\unins.exe /S q", "B-match"},
      {"whole name", "LibreOffice 7.6.4.1", "C:\\x\\unins.exe /S q", "B-match"},
      {"longer than the name", "LibreOffice 7.6.4.1 x", "", ""},
      {"empty text matches the first record", "", "other.exe", "A-first"},
      {"no match", "OpenOffice", "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(RECH_PROG(row.search, "DisplayName", "UninstallString"), row.prog);
    EXPECT_EQ(RECUP_CLE(row.search, "DisplayName", "UninstallString"), row.key);
  }
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(UninstallSearchTest, ASearchAmongSomeRecordsPassesTheOthersOver) {
  record("A-help", "DisplayName", "LibreOffice 7.6 Help Pack (French)", "help.exe");
  record("B-other", "DisplayName", "Other Product", "other.exe");
  record("C-suite", "DisplayName", "LibreOffice 7.6.4.1", "suite.exe");
  record("D-bare", "DisplayName", "LibreOffice 7.6 SDK");  // no uninstall command
  record("E-late", "DisplayName", "LibreOffice 7.6 Help Pack (German)", "late.exe");
  struct Row {
    const char* name;
    std::vector<std::string> accepted;  // key names the filter takes
    const char* expected;
  };
  const Row rows[] = {
      {"the first match among them", {"A-help", "C-suite"}, "help.exe"},
      {"a later match", {"C-suite"}, "suite.exe"},
      {"the first of them decides", {"E-late", "C-suite"}, "suite.exe"},
      {"the first of them lacks the value: nothing", {"D-bare", "E-late"}, ""},
      {"one that does not match is passed over", {"B-other", "E-late"}, "late.exe"},
      {"none of them matches", {"B-other"}, ""},
      {"none taken", {}, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const KeyFilter accepted = [&row](const std::string& key_name) {
      for (const auto& name : row.accepted)
        if (name == key_name) return true;
      return false;
    };
    EXPECT_EQ(find_value_among("LibreOffice 7.6", "DisplayName", "UninstallString", accepted), row.expected);
  }
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(UninstallSearchTest, ASearchAmongSomeRecordsOpensOnlyThoseUpToTheMatch) {
  for (const char* key : {"A", "B", "C", "D"})
    record(key, "DisplayName", std::string("LibreOffice ") + key, "x.exe");
  std::vector<std::string> asked;
  m.record_calls = true;
  EXPECT_EQ(find_value_among("LibreOffice", "DisplayName", "UninstallString",
                             [&](const std::string& key) {
                               asked.push_back(key);
                               return key == "B" || key == "C";
                             }),
            "x.exe");
  EXPECT_EQ(asked, (std::vector<std::string>{"A", "B"}));
  std::vector<std::string> opened;
  for (const auto& [call, target] : m.call_log)
    if (call == sim::Call::RegOpenKey) opened.push_back(target.substr(target.rfind('\\') + 1));
  EXPECT_EQ(opened, (std::vector<std::string>{"Uninstall", "B"}));
}

TEST_F(UninstallSearchTest, ValueNamesAreExactForTheSearchAndFreeForTheAnswer) {
  record("A", "displayname", "LibreOffice lower-case value name", "a.exe");
  record("B", "DisplayName", "LibreOffice");
  m.set_string(HKLM, world::kUninstallKey + "B", "UNINSTALLSTRING", "b.exe");
  EXPECT_EQ(RECH_PROG("LibreOffice", "DisplayName", "UninstallString"), "b.exe");
}

TEST_F(UninstallSearchTest, AFirstMatchWithoutTheAnswerValueEndsTheSearch) {
  record("A", "DisplayName", "LibreOffice 7.6");
  record("B", "DisplayName", "LibreOffice 7.6", "b.exe");
  EXPECT_EQ(RECH_PROG("LibreOffice", "DisplayName", "UninstallString"), "");
  EXPECT_EQ(RECUP_CLE("LibreOffice", "DisplayName", "UninstallString"), "");
}

TEST_F(UninstallSearchTest, ApplicationSearchWithAnEmptyNameDependsOnTheFirstDisplayName) {
  record("A", "DisplayName", "\"\"");
  EXPECT_FALSE(RECH_APPLICATION(""));
  record("A", "DisplayName", "x");
  EXPECT_TRUE(RECH_APPLICATION(""));
  EXPECT_TRUE(RECH_APPLICATION("X"));
  EXPECT_FALSE(RECH_APPLICATION("y"));
}

TEST_F(UninstallSearchTest, ComparesWithTheCodePagesUpperCasing) {
  record("A", "DisplayName", "\xE9quipe Office");  // é
  EXPECT_TRUE(RECH_APPLICATION("\xC9QUIPE"));       // É
}

TEST_F(UninstallSearchTest, UnreadableKeysAreSkippedSilently) {
  record("A-denied", "DisplayName", "LibreOffice denied", "a.exe");
  record("B-open", "DisplayName", "LibreOffice open", "b.exe");
  m.find_key(HKLM, world::kUninstallKey + "A-denied")->open_denied = true;
  EXPECT_EQ(RECH_PROG("LibreOffice", "DisplayName", "UninstallString"), "b.exe");

  m.find_key(HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall")->open_denied = true;
  EXPECT_EQ(RECH_PROG("LibreOffice", "DisplayName", "UninstallString"), "");
  EXPECT_FALSE(RECH_APPLICATION("LibreOffice"));
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(UninstallSearchTest, MissingUninstallKeyGivesNothing) {
  EXPECT_EQ(RECH_PROG("", "DisplayName", "UninstallString"), "");
  EXPECT_EQ(RECUP_CLE("", "DisplayName", "UninstallString"), "");
}

TEST_F(UninstallSearchTest, OpensEveryRecordByItsAbsolutePathAndReadsAfresh) {
  record("A", "DisplayName", "Other");
  record("B", "DisplayName", "LibreOffice", "b.exe");
  m.add_key(HKLM, world::kUninstallKey + "A\\B");  // a record-relative open would find this
  EXPECT_EQ(RECH_PROG("LibreOffice", "DisplayName", "UninstallString"), "b.exe");
  const int opens = m.call_count(sim::Call::RegOpenKey);
  m.delete_key(HKLM, world::kUninstallKey + "B");
  EXPECT_EQ(RECH_PROG("LibreOffice", "DisplayName", "UninstallString"), "");
  EXPECT_GT(m.call_count(sim::Call::RegOpenKey), opens);
}

TEST_F(UninstallSearchTest, ADisplayNameOfAnotherTypeRaises) {
  m.set_dword(HKLM, world::kUninstallKey + "A", "DisplayName", 1);
  try {
    RECH_APPLICATION("LibreOffice");
    ADD_FAILURE() << "no error raised";
  } catch (const ERegistryException& error) {
    EXPECT_EQ(error.message(), "Invalid registry data type: \"DisplayName\"");
  }
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(UninstallSearchTest, KeyExistsUnderTheMachineRoot) {
  record(world::kProductCode, "DisplayName", "x");
  EXPECT_TRUE(CHERCHE_CLE_EXIST(world::kUninstallKey + world::kProductCode));
  EXPECT_FALSE(CHERCHE_CLE_EXIST(world::kUninstallKey + "{missing}"));
  EXPECT_EQ(m.open_handles(), 0);
}

}  // namespace
