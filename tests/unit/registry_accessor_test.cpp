#include "errors.h"
#include "platform/registry.h"
#include "sim_test.h"

using namespace std::string_literals;

namespace {

class RegistryAccessorTest : public SimTest {
 protected:
  void SetUp() override {
    m.set_string(HKLM, "SOFTWARE\\Vendor\\Product", "Name", "outer");
    m.set_string(HKLM, "SOFTWARE\\Vendor\\Product\\Inner", "Name", "inner");
    m.set_string(HKLM, "Inner", "Name", "top-level");
  }
};

TEST_F(RegistryAccessorTest, PathsResolveFromRootOrFromTheCurrentKey) {
  Registry registry(HKLM, platform::kKeyRead);
  struct Row {
    const char* name;
    const char* first_open;  // nullptr: no current key
    const char* path;
    const char* expected;    // value "Name" after opening `path`
  };
  const Row rows[] = {
      {"absolute from root", nullptr, "\\SOFTWARE\\Vendor\\Product", "outer"},
      {"relative without a current key", nullptr, "SOFTWARE\\Vendor\\Product", "outer"},
      {"trailing backslash", nullptr, "\\SOFTWARE\\Vendor\\Product\\", "outer"},
      {"relative to the current key", "\\SOFTWARE\\Vendor\\Product", "Inner", "inner"},
      {"absolute ignores the current key", "\\SOFTWARE\\Vendor\\Product", "\\Inner", "top-level"},
      {"letter case of names", nullptr, "\\software\\VENDOR\\product", "outer"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    registry.close_key();
    if (row.first_open) {
      ASSERT_TRUE(registry.open_read_only(row.first_open));
    }
    ASSERT_TRUE(registry.open_read_only(row.path));
    EXPECT_EQ(registry.read_string("Name"), row.expected);
  }
}

TEST_F(RegistryAccessorTest, FailedOpenKeepsTheCurrentKeyAndSuccessReplacesIt) {
  Registry registry(HKLM, platform::kKeyRead);
  ASSERT_TRUE(registry.open_read_only("\\SOFTWARE\\Vendor\\Product"));
  EXPECT_FALSE(registry.open_read_only("Missing"));
  EXPECT_EQ(registry.read_string("Name"), "outer");
  EXPECT_EQ(m.open_handles(sim::Machine::HandleKind::RegKey), 1);
  ASSERT_TRUE(registry.open_read_only("Inner"));
  EXPECT_EQ(registry.read_string("Name"), "inner");
  EXPECT_EQ(m.open_handles(sim::Machine::HandleKind::RegKey), 1);  // the previous key closed
  registry.close_key();
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(RegistryAccessorTest, KeyExistsLeavesNothingOpenAndTheCurrentKeyAlone) {
  Registry registry(HKLM);
  ASSERT_TRUE(registry.open_read_only("\\SOFTWARE\\Vendor\\Product"));
  EXPECT_TRUE(registry.key_exists("Inner"));
  EXPECT_FALSE(registry.key_exists("\\SOFTWARE\\Vendor\\Missing"));
  EXPECT_EQ(registry.read_string("Name"), "outer");
  EXPECT_EQ(m.open_handles(sim::Machine::HandleKind::RegKey), 1);
}

TEST_F(RegistryAccessorTest, EveryOpenAsksForTheAccessorsView) {
  // Windows refuses both views at once (87), which shows that each open passes the
  // view on: with one view the same opens succeed.
  const Registry one_view(HKLM, platform::kKeyRead | platform::kKeyWow6464Key);
  EXPECT_TRUE(one_view.key_exists("\\SOFTWARE\\Vendor\\Product"));
  EXPECT_TRUE(one_view.key_missing("\\SOFTWARE\\Vendor\\Missing"));
  Registry both_views(HKLM, platform::kKeyRead | platform::kKeyWow6464Key | platform::kKeyWow6432Key);
  EXPECT_FALSE(both_views.key_exists("\\SOFTWARE\\Vendor\\Product"));
  EXPECT_FALSE(both_views.key_missing("\\SOFTWARE\\Vendor\\Missing"));  // refused, not missing
  EXPECT_FALSE(both_views.open_read_only("\\SOFTWARE\\Vendor\\Product"));
  Registry viewed(HKLM, platform::kKeyRead | platform::kKeyWow6464Key);
  ASSERT_TRUE(viewed.open_read_only("\\SOFTWARE\\Vendor\\Product"));
  EXPECT_EQ(viewed.read_string("Name"), "outer");
  EXPECT_EQ(m.open_handles(sim::Machine::HandleKind::RegKey), 1);
}

TEST_F(RegistryAccessorTest, ReleasingTheAccessorClosesItsKey) {
  {
    Registry registry(HKLM, platform::kKeyRead);
    ASSERT_TRUE(registry.open_read_only("\\SOFTWARE\\Vendor\\Product"));
  }
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(RegistryAccessorTest, ReadStringByValueTypeAndData) {
  const std::string key = "SOFTWARE\\Values";
  auto utf16 = [](const std::u16string& text) {
    std::string bytes;
    for (char16_t c : text) {
      bytes += static_cast<char>(c & 0xFF);
      bytes += static_cast<char>(c >> 8);
    }
    return bytes;
  };
  m.set_value(HKLM, key, "sz", platform::kRegSz, utf16(u"text\0"s));
  m.set_value(HKLM, key, "no nul", platform::kRegSz, utf16(u"stored without NUL"));
  m.set_value(HKLM, key, "expand", platform::kRegExpandSz, utf16(u"%SystemRoot%\\x\0"s));
  m.set_value(HKLM, key, "empty", platform::kRegSz, "");
  m.set_value(HKLM, key, "", platform::kRegSz, utf16(u"default\0"s));
  m.set_value(HKLM, key, "latin", platform::kRegSz, utf16(u"caf\u00e9\0"s));
  m.set_value(HKLM, key, "outside", platform::kRegSz, utf16(u"\u4e2d\0"s));
  m.set_dword(HKLM, key, "dword", 7);
  m.set_value(HKLM, key, "multi", platform::kRegMultiSz, utf16(u"a\0b\0\0"s));
  m.set_value(HKLM, key, "binary", platform::kRegBinary, "\x01\x02");
  m.set_value(HKLM, key, "empty dword", platform::kRegDword, "");

  Registry registry(HKLM, platform::kKeyRead);
  ASSERT_TRUE(registry.open_read_only(key));
  struct Row {
    const char* name;
    const char* expected;
  };
  const Row accepted[] = {{"sz", "text"},
                          {"no nul", "stored without NUL"},
                          {"expand", "%SystemRoot%\\x"},
                          {"empty", ""},
                          {"", "default"},
                          {"latin", "caf\xE9"},
                          {"outside", "?"},
                          {"missing", ""},
                          {"empty dword", ""}};
  for (const auto& row : accepted) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(registry.read_string(row.name), row.expected);
  }
  for (const char* refused : {"dword", "multi", "binary"}) {
    SCOPED_TRACE(refused);
    try {
      registry.read_string(refused);
      ADD_FAILURE() << "no error raised";
    } catch (const ERegistryException& error) {
      EXPECT_EQ(error.message(), "Invalid registry data type: \"" + std::string(refused) + "\"");
      EXPECT_EQ(error.class_name(), "ERegistryException");
    }
  }
}

TEST_F(RegistryAccessorTest, DataUnreadableAfterItsSizeRaises) {
  Registry registry(HKLM, platform::kKeyRead);
  ASSERT_TRUE(registry.open_read_only("\\SOFTWARE\\Vendor\\Product"));
  m.fail(sim::Call::RegQueryValue, platform::kErrorAccessDenied, 2, false,
         "HKLM\\SOFTWARE\\Vendor\\Product\\Name");
  try {
    registry.read_string("Name");
    ADD_FAILURE() << "no error raised";
  } catch (const ERegistryException& error) {
    EXPECT_EQ(error.message(), "Failed to get data for value \"Name\"");
  }
}

TEST_F(RegistryAccessorTest, AReadThatFailsIsToldFromAnAbsentValue) {
  Registry registry(HKLM, platform::kKeyRead);
  ASSERT_TRUE(registry.open_read_only("\\SOFTWARE\\Vendor\\Product"));
  const std::string target = "HKLM\\SOFTWARE\\Vendor\\Product\\Name";
  struct Row {
    const char* name;
    std::optional<std::uint32_t> size_query_error;  // the size query fails with it
    const char* value;
    std::optional<std::string> expected;
  };
  const Row rows[] = {
      {"read", std::nullopt, "Name", std::string("outer")},
      {"absent", std::nullopt, "Missing", std::string()},
      {"absent, as the registry says", platform::kErrorFileNotFound, "Name", std::string()},
      {"access denied", platform::kErrorAccessDenied, "Name", std::nullopt},
      {"low memory", platform::kErrorNotEnoughMemory, "Name", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.size_query_error) m.fail(sim::Call::RegQueryValue, *row.size_query_error, 1, false, target);
    EXPECT_EQ(registry.read_string_if_known(row.value), row.expected);
    // The plain read takes every failure for an empty value.
    if (row.size_query_error) m.fail(sim::Call::RegQueryValue, *row.size_query_error, 1, false, target);
    EXPECT_EQ(registry.read_string(row.value), row.expected.value_or(""));
  }
}

TEST_F(RegistryAccessorTest, NamesInEnumerationOrderAndEnumerationFailuresRaise) {
  m.add_key(HKLM, "SOFTWARE\\List\\beta");
  m.add_key(HKLM, "SOFTWARE\\List\\Alpha");
  m.set_string(HKLM, "SOFTWARE\\List", "zeta", "1");
  m.set_string(HKLM, "SOFTWARE\\List", "Eta", "2");
  Registry registry(HKLM, platform::kKeyRead);
  ASSERT_TRUE(registry.open_read_only("\\SOFTWARE\\List"));
  StringList names;
  names.add("stale");
  registry.subkey_names(names);
  EXPECT_EQ(names.items(), (std::vector<std::string>{"Alpha", "beta"}));
  registry.value_names(names);
  EXPECT_EQ(names.items(), (std::vector<std::string>{"zeta", "Eta"}));  // creation order
  EXPECT_TRUE(registry.value_exists("ETA"));
  EXPECT_FALSE(registry.value_exists("missing"));

  m.fail(sim::Call::RegEnumKey, platform::kErrorAccessDenied, 2, false, "HKLM\\SOFTWARE\\List");
  try {
    registry.subkey_names(names);
    ADD_FAILURE() << "no error raised";
  } catch (const ERegistryException& error) {
    EXPECT_EQ(error.message(), "Access is denied.");
  }
}

}  // namespace

namespace {

TEST_F(RegistryAccessorTest, ANameThatOutgrowsItsBufferIsReadAgainOnce) {
  Registry registry(HKLM, platform::kKeyRead);
  ASSERT_TRUE(registry.open_read_only("\\SOFTWARE\\Vendor\\Product"));
  StringList names;
  m.fail(sim::Call::RegEnumValue, platform::kErrorMoreData, 1);
  registry.value_names(names);
  EXPECT_EQ(names.items(), std::vector<std::string>{"Name"});
  m.fail(sim::Call::RegEnumKey, platform::kErrorMoreData, 1, true);
  EXPECT_THROW(registry.subkey_names(names), ERegistryException);
}

}  // namespace
