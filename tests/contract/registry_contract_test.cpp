// The registry wrappers and the Registry accessor answer as advapi32 and ole32 do.
// Each case works under its own key, HKLM\SOFTWARE\QuorvalisContract\<case>.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "errors.h"
#include "platform/codepage.h"
#include "platform/component.h"
#include "platform/owners.h"
#include "platform/registry.h"
#include "platform/registry_calls.h"
#include "tests/contract/registry_world.h"

using namespace platform;

namespace {

constexpr RegKey kHklm = kHkeyLocalMachine;
constexpr long kSuccess = static_cast<long>(kErrorSuccess);

std::string utf16(const std::u16string& text, bool with_nul = true) {
  return world::utf16_bytes(text, with_nul);
}

std::string dword_bytes(std::uint32_t value) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

class RegistryContract : public testing::Test {
 protected:
  void SetUp() override {
    world::begin();
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    name_ = info->name();
    root_ = "SOFTWARE\\QuorvalisContract\\" + name_;
    prog_id_ = "Quorvalis.Contract." + name_;
    // A run that was killed half-way may have left its keys behind.
    TearDown();
    world::create_key(kHklm, root_);
  }
  void TearDown() override {
    world::delete_tree(kHklm, root_);
    world::delete_tree(kHkeyClassesRoot, prog_id_);
  }

  void set(const std::string& sub, const std::string& name, std::uint32_t type,
           const std::string& bytes) {
    world::set_value(kHklm, sub.empty() ? root_ : root_ + "\\" + sub, name, type, bytes);
  }

  UniqueRegKey open_root() {
    RegKey key = 0;
    EXPECT_EQ(reg_open_key(kHklm, ansi_to_wide(root_), kKeyRead, key), kSuccess);
    return UniqueRegKey(key);
  }

  using EnumCall = long (*)(RegKey, std::uint32_t, char16_t*, std::uint32_t&);
  // Every name the call gives, in its order, until it reports the end (259).
  static std::vector<std::string> enumerate(EnumCall call, RegKey key) {
    std::vector<std::string> names;
    char16_t buffer[256];
    for (std::uint32_t index = 0; index < 100; ++index) {
      std::uint32_t length = 256;
      const long status = call(key, index, buffer, length);
      if (status == static_cast<long>(kErrorNoMoreItems)) return names;
      EXPECT_EQ(status, kSuccess) << "index " << index;
      if (status != kSuccess) return names;
      names.push_back(wide_to_ansi(WideString(buffer, length)));
    }
    ADD_FAILURE() << "the enumeration never ended";
    return names;
  }

  std::string name_, root_, prog_id_;
};

TEST_F(RegistryContract, OpenKeyFollowsWindowsPathRules) {
  world::create_key(kHklm, root_ + "\\Alpha\\Beta");
  const UniqueRegKey root = open_root();
  ASSERT_TRUE(root.valid());
  struct Row {
    const char* name;
    std::u16string path;
    long status;
  };
  const std::vector<Row> rows = {
      {"nested path", u"Alpha\\Beta", 0},
      {"leading backslash refused", u"\\Alpha", 161},
      {"trailing backslash accepted", u"Alpha\\", 0},
      {"names ignore case", u"aLPHA\\bETA", 0},
      {"empty path opens the key itself", u"", 0},
      {"missing last part", u"Alpha\\Gamma", 2},
      {"missing middle part", u"Gamma\\Beta", 2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    RegKey key = 0x1234;
    EXPECT_EQ(reg_open_key(root.get(), row.path, kKeyRead, key), row.status);
    if (row.status == kSuccess) {
      EXPECT_NE(key, 0u);
      EXPECT_EQ(reg_close_key(key), kSuccess);
    } else {
      EXPECT_EQ(key, 0u);
    }
  }
  // From the root key itself, the full path is relative too.
  RegKey key = 0;
  EXPECT_EQ(reg_open_key(kHklm, ansi_to_wide("\\" + root_), kKeyRead, key), 161);
  ASSERT_EQ(reg_open_key(kHklm, ansi_to_wide(root_ + "\\ALPHA\\beta\\"), kKeyRead, key), kSuccess);
  EXPECT_EQ(reg_close_key(key), kSuccess);
}

TEST_F(RegistryContract, ClassesRootShowsTheMachineClasses) {
  // Windows merges HKCU\Software\Classes over the machine's; Wine's HKCR and the sim's
  // are the machine's alone. Keys that only the machine has read the same everywhere.
  world::set_value(kHklm, "SOFTWARE\\Classes\\" + prog_id_ + "\\CLSID", "", kRegSz,
                   utf16(u"{00000000-0000-0000-0000-000000000001}"));
  RegKey key = 0;
  ASSERT_EQ(reg_open_key(kHkeyClassesRoot, ansi_to_wide(prog_id_ + "\\clsid"), kKeyRead, key),
            kSuccess);
  const UniqueRegKey owner(key);
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  EXPECT_EQ(reg_query_value(key, u"", &type, nullptr, &size), kSuccess);
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(size, 78u);  // 38 characters and the NUL
  EXPECT_EQ(clsid_from_prog_id(ansi_to_wide(prog_id_)), 0);
}

TEST_F(RegistryContract, EnumerationKeepsNamesAsWritten) {
  for (const char* key : {"Zeta", "alpha", "Mid"}) world::create_key(kHklm, root_ + "\\" + key);
  for (const char* value : {"Zeta", "alpha", "Mid"}) set("", value, kRegDword, dword_bytes(1));
  const UniqueRegKey root = open_root();
  ASSERT_TRUE(root.valid());

  EXPECT_EQ(enumerate(reg_enum_key, root.get()),
            (std::vector<std::string>{"alpha", "Mid", "Zeta"}));
  const std::vector<std::string> values = enumerate(reg_enum_value, root.get());
  if (world::kUnderWine) {
    // Wine keeps a key's values sorted by name; Windows keeps them in creation order,
    // which the sim follows. The logic never depends on the order.
    EXPECT_EQ(values, (std::vector<std::string>{"alpha", "Mid", "Zeta"}));
  } else {
    EXPECT_EQ(values, (std::vector<std::string>{"Zeta", "alpha", "Mid"}));
  }
}

TEST_F(RegistryContract, EnumerationNeedsRoomForTheNul) {
  world::create_key(kHklm, root_ + "\\SixSix");
  set("", "Seven77", kRegDword, dword_bytes(7));
  const UniqueRegKey root = open_root();
  ASSERT_TRUE(root.valid());
  struct Row {
    const char* name;
    EnumCall call;
    std::u16string expected;
  };
  const std::vector<Row> rows = {
      {"subkey", reg_enum_key, u"SixSix"},
      {"value", reg_enum_value, u"Seven77"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto exact = static_cast<std::uint32_t>(row.expected.size());
    char16_t buffer[32] = {};
    std::uint32_t length = exact;  // no room for the NUL
    EXPECT_EQ(row.call(root.get(), 0, buffer, length), static_cast<long>(kErrorMoreData));
    length = exact + 1;
    ASSERT_EQ(row.call(root.get(), 0, buffer, length), kSuccess);
    EXPECT_EQ(length, exact);
    EXPECT_EQ(WideString(buffer, length), row.expected);
    EXPECT_EQ(buffer[length], u'\0');
    length = exact + 1;
    EXPECT_EQ(row.call(root.get(), 1, buffer, length), static_cast<long>(kErrorNoMoreItems));
  }
}

TEST_F(RegistryContract, QueryInfoCountsCharactersAndBytes) {
  world::create_key(kHklm, root_ + "\\Short");
  world::create_key(kHklm, root_ + "\\LongerName");
  set("", "", kRegSz, utf16(u"default"));                      // 16 bytes
  set("", "ValueName12", kRegBinary, std::string(21, '\x01'));  // the largest data
  set("", "v", kRegSz, utf16(u"nine char"));                   // 20 bytes
  const UniqueRegKey root = open_root();
  ASSERT_TRUE(root.valid());
  RegKeyInfo info;
  ASSERT_EQ(reg_query_info_key(root.get(), info), kSuccess);
  EXPECT_EQ(info.subkeys, 2u);
  EXPECT_EQ(info.max_subkey_length, 10u);
  EXPECT_EQ(info.values, 3u);
  EXPECT_EQ(info.max_value_name_length, 11u);
  EXPECT_EQ(info.max_value_data, 21u);

  world::create_key(kHklm, root_ + "\\Empty");
  RegKey empty = 0;
  ASSERT_EQ(reg_open_key(root.get(), u"Empty", kKeyRead, empty), kSuccess);
  const UniqueRegKey owner(empty);
  RegKeyInfo none;
  none.subkeys = 9;
  ASSERT_EQ(reg_query_info_key(empty, none), kSuccess);
  EXPECT_EQ(none.subkeys, 0u);
  EXPECT_EQ(none.values, 0u);
  EXPECT_EQ(none.max_subkey_length, 0u);
  EXPECT_EQ(none.max_value_name_length, 0u);
  EXPECT_EQ(none.max_value_data, 0u);
}

TEST_F(RegistryContract, QueryValueGivesTheStoredBytes) {
  struct Row {
    const char* name;
    std::string value_name;  // as stored
    std::u16string query;    // as asked for
    std::uint32_t type;
    std::string bytes;
  };
  const std::vector<Row> rows = {
      {"string with its NUL", "Text", u"Text", kRegSz, utf16(u"C:\\Suite")},
      {"string without NUL", "Bare", u"Bare", kRegSz, utf16(u"no end", false)},
      {"expandable string stays unexpanded", "Expand", u"Expand", kRegExpandSz,
       utf16(u"%SystemRoot%\\x")},
      {"name ignores case", "MixedCase", u"mIXEDcASE", kRegSz, utf16(u"m")},
      {"empty name is the default value", "", u"", kRegSz, utf16(u"LibreOffice 7")},
      {"number", "Count", u"Count", kRegDword, dword_bytes(0x01020304)},
      {"binary with zeros", "Blob", u"Blob", kRegBinary, std::string("\0\x01\0\xFF", 4)},
      {"empty data", "Nothing", u"Nothing", kRegSz, std::string()},
  };
  for (const Row& row : rows) set("", row.value_name, row.type, row.bytes);
  const UniqueRegKey root = open_root();
  ASSERT_TRUE(root.valid());

  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto stored = static_cast<std::uint32_t>(row.bytes.size());
    std::uint32_t type = 99;
    std::uint32_t size = 0;
    ASSERT_EQ(reg_query_value(root.get(), row.query, &type, nullptr, &size), kSuccess);
    EXPECT_EQ(type, row.type);
    EXPECT_EQ(size, stored);
    EXPECT_EQ(reg_query_value(root.get(), row.query, nullptr, nullptr, nullptr), kSuccess);

    std::vector<std::uint8_t> data(stored + 8, 0xCC);
    if (stored > 0) {
      size = stored - 1;
      type = 99;
      EXPECT_EQ(reg_query_value(root.get(), row.query, &type, data.data(), &size),
                static_cast<long>(kErrorMoreData));
      EXPECT_EQ(size, stored);
      EXPECT_EQ(type, row.type);
    }
    size = static_cast<std::uint32_t>(data.size());
    ASSERT_EQ(reg_query_value(root.get(), row.query, &type, data.data(), &size), kSuccess);
    EXPECT_EQ(size, stored);  // no NUL added to a string stored without one
    EXPECT_EQ(std::string(data.begin(), data.begin() + size), row.bytes);
  }
}

TEST_F(RegistryContract, MissingValuesAnswerFileNotFound) {
  set("", "Present", kRegSz, utf16(u"x"));
  const UniqueRegKey root = open_root();
  ASSERT_TRUE(root.valid());
  struct Row {
    const char* name;
    std::u16string query;
  };
  const std::vector<Row> rows = {
      {"missing name", u"Absent"},
      {"default value never set", u""},
      {"prefix of a present name", u"Pres"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::uint32_t type = 99;
    std::uint32_t size = 77;
    EXPECT_EQ(reg_query_value(root.get(), row.query, &type, nullptr, &size),
              static_cast<long>(kErrorFileNotFound));
    std::uint8_t data[8];
    size = sizeof data;
    EXPECT_EQ(reg_query_value(root.get(), row.query, &type, data, &size),
              static_cast<long>(kErrorFileNotFound));
  }
}

TEST_F(RegistryContract, SystemMessageIsOneTrimmedLine) {
  const std::vector<std::uint32_t> codes = {2, 3, 5, 6, 87, 161, 234, 259};
  for (std::uint32_t code : codes) {
    SCOPED_TRACE(code);
    const std::string text = system_message(code);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
    EXPECT_NE(text.back(), ' ') << text;
  }
  if (world::kUnderWine) {
    // Wine words its system texts in its own way.
    EXPECT_EQ(system_message(2), "File not found.");
  } else {
    EXPECT_EQ(system_message(2), "The system cannot find the file specified.");
  }
  EXPECT_EQ(system_message(0x2BADC0DEu), "");  // no such message: nothing, not garbage
}

TEST_F(RegistryContract, ClsidFromProgIdNeedsAGuidUnderItsIdentifier) {
  struct Row {
    const char* name;
    bool create_key;
    bool create_clsid;
    std::string clsid;  // the CLSID key's default value, when set
    std::int32_t result;
  };
  const std::vector<Row> rows = {
      {"identifier missing", false, false, "", kCoEClassString},
      {"identifier without CLSID", true, false, "", kCoEClassString},
      {"CLSID key without value", true, true, "", kCoEClassString},
      {"CLSID is no GUID", true, true, "not a guid", kCoEClassString},
      {"CLSID holds a GUID", true, true, "{00000000-0000-0000-0000-000000000001}", 0},
      {"GUID in lower case", true, true, "{82154420-0fbf-11d4-8313-005004526ab4}", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    world::delete_tree(kHkeyClassesRoot, prog_id_);
    if (row.create_key) world::create_key(kHkeyClassesRoot, prog_id_);
    if (row.create_clsid) world::create_key(kHkeyClassesRoot, prog_id_ + "\\CLSID");
    if (!row.clsid.empty())
      world::set_value(kHkeyClassesRoot, prog_id_ + "\\CLSID", "", kRegSz,
                       utf16(ansi_to_wide(row.clsid)));
    EXPECT_EQ(clsid_from_prog_id(ansi_to_wide(prog_id_)), row.result);
  }
}

// ---- the Registry accessor over the wrappers ----------------------------------

class RegistryAccessorContract : public RegistryContract {
 protected:
  void SetUp() override {
    RegistryContract::SetUp();
    set("Inner", "", kRegSz, utf16(u"LibreOffice 24.2"));
    set("Inner", "Path", kRegSz, utf16(u"C:\\Program Files\\Suite"));
    set("Inner", "Expand", kRegExpandSz, utf16(u"%ProgramFiles%\\Suite"));
    set("Inner", "Bare", kRegSz, utf16(u"no NUL", false));
    set("Inner", "Empty", kRegSz, utf16(u""));
    set("Inner", "Number", kRegDword, dword_bytes(42));
    world::create_key(kHklm, root_ + "\\Inner\\Deeper");
    world::create_key(kHklm, root_ + "\\Inner\\Other");
  }
};

TEST_F(RegistryAccessorContract, OpensFromTheRootOrTheCurrentKey) {
  Registry registry(kHklm, kKeyRead);
  EXPECT_TRUE(registry.key_exists("\\" + root_ + "\\Inner"));
  EXPECT_TRUE(registry.key_exists(root_ + "\\INNER\\"));
  EXPECT_FALSE(registry.key_exists(root_ + "\\Missing"));

  ASSERT_TRUE(registry.open_read_only("\\" + root_));
  EXPECT_TRUE(registry.key_exists("Inner\\Deeper"));  // relative to the current key
  ASSERT_TRUE(registry.open_read_only("Inner"));
  EXPECT_EQ(registry.read_string("Path"), "C:\\Program Files\\Suite");

  EXPECT_FALSE(registry.open_read_only("Missing"));
  EXPECT_EQ(registry.read_string("Path"), "C:\\Program Files\\Suite");  // still Inner
  EXPECT_FALSE(registry.open_read_only("Inner"));  // there is no Inner under Inner

  ASSERT_TRUE(registry.open_read_only("\\" + root_ + "\\Inner\\Deeper\\"));
  EXPECT_EQ(registry.read_string("Path"), "");
  registry.close_key();
  ASSERT_TRUE(registry.open_read_only(root_ + "\\Inner"));  // from the root again
  EXPECT_EQ(registry.read_string(""), "LibreOffice 24.2");
}

TEST_F(RegistryAccessorContract, ReadsStringsAsStored) {
  Registry registry(kHklm, kKeyRead);
  ASSERT_TRUE(registry.open_read_only("\\" + root_ + "\\Inner"));
  struct Row {
    const char* name;
    std::string value;
    std::string expected;
  };
  const std::vector<Row> rows = {
      {"plain string", "Path", "C:\\Program Files\\Suite"},
      {"expandable string unexpanded", "Expand", "%ProgramFiles%\\Suite"},
      {"string without NUL", "Bare", "no NUL"},
      {"empty string", "Empty", ""},
      {"default value", "", "LibreOffice 24.2"},
      {"name in other case", "pATH", "C:\\Program Files\\Suite"},
      {"missing value", "Absent", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(registry.read_string(row.value), row.expected);
    // The registry answers each of them, a missing value with "not found": all known.
    EXPECT_EQ(registry.read_string_if_known(row.value), row.expected);
  }
  EXPECT_TRUE(registry.value_exists("number"));
  EXPECT_FALSE(registry.value_exists("Absent"));
}

TEST_F(RegistryAccessorContract, NumberIsAnInvalidDataType) {
  Registry registry(kHklm, kKeyRead);
  ASSERT_TRUE(registry.open_read_only("\\" + root_ + "\\Inner"));
  try {
    registry.read_string("Number");
    FAIL() << "a REG_DWORD was read as a string";
  } catch (const ERegistryException& error) {
    EXPECT_EQ(error.class_name(), "ERegistryException");
    EXPECT_EQ(error.message(), "Invalid registry data type: \"Number\"");
  }
}

TEST_F(RegistryAccessorContract, ListsValueAndSubkeyNames) {
  Registry registry(kHklm, kKeyRead);
  ASSERT_TRUE(registry.open_read_only("\\" + root_ + "\\Inner"));
  StringList values;
  values.add("stale");
  registry.value_names(values);
  std::vector<std::string> names = values.items();
  std::sort(names.begin(), names.end());  // the order is the enumeration case's business
  EXPECT_EQ(names, (std::vector<std::string>{"", "Bare", "Empty", "Expand", "Number", "Path"}));

  StringList keys;
  registry.subkey_names(keys);
  EXPECT_EQ(keys.items(), (std::vector<std::string>{"Deeper", "Other"}));
}

}  // namespace
