// Whole runs over generated bad input in the registry and the bootstrap file: each must
// end as the accessor and the reader define, and take away nothing but the suite's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>

#include "bad_input_world.h"
#include "platform/registry_calls.h"
#include "run/run_sequence.h"
#include "suite_world.h"

namespace {

using bad_input::Case;
using bad_input::Ending;
using bad_input::utf16;
using platform::kHkeyClassesRoot;
using platform::kHkeyLocalMachine;

constexpr std::size_t kMiB = 1024 * 1024;

// The four values the run reads as text, with what they hold on the typical machine.
struct Location {
  const char* label;
  platform::RegKey root;
  std::string path, value;
  std::string proper;
};
const std::vector<Location>& locations() {
  static const std::vector<Location> all = {
      {"AppID default", kHkeyClassesRoot, "AppID\\{82154420-0FBF-11d4-8313-005004526AB4}", "",
       world::kProductKey},
      {"INSTALLLOCATION", kHkeyLocalMachine,
       world::kTdfVendor + "\\7.6.4.1\\" + world::kUpgradeCode, "INSTALLLOCATION", world::kFolder},
      {"DisplayName", kHkeyLocalMachine, world::kUninstallKey + world::kProductCode, "DisplayName",
       world::kDisplayName},
      {"UninstallString", kHkeyLocalMachine, world::kUninstallKey + world::kProductCode,
       "UninstallString", "MsiExec.exe /I" + world::kProductCode},
  };
  return all;
}

std::u16string widen(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

// Replaces one location's data with raw bytes of a type.
std::function<void(sim::Machine&)> store(const Location& at, std::uint32_t type, std::string bytes) {
  return [&at, type, bytes](sim::Machine& m) { m.set_value(at.root, at.path, at.value, type, bytes); };
}

Case box_case(std::string name, std::function<void(sim::Machine&)> mutate, const std::string& value) {
  return {std::move(name), std::move(mutate), Ending::Box, 217,
          "ERegistryException: Invalid registry data type: \"" + value + "\""};
}

int tried = 0;
void run_all(const std::vector<Case>& cases) {
  for (const auto& c : cases) bad_input::check(c);
  tried += static_cast<int>(cases.size());
}

// An empty application identifier detects no suite: nothing to do. A suite record whose
// display name reads as empty is passed over, so the search for the product key finds
// the help pack's record: the help pack goes, the suite stays, and the run reports the
// failed removal without touching the suite's folders. Anything else the lookup cannot
// read leaves the registered suite unfound, which is no success either.
constexpr int kNotFound = kSuiteNotFoundStatus;
int kept_status(const Location& at) {
  if (at.value == "DisplayName") return 1603;
  return at.root == platform::kHkeyClassesRoot ? 0 : kNotFound;
}

class BadInput : public ::testing::Test {
 protected:
  static void TearDownTestSuite() {
    std::printf("bad inputs tried: %d\n", tried);
    std::fflush(stdout);
  }
};

TEST_F(BadInput, ValuesOfEveryTypeWhereTextIsRead) {
  // REG_NONE, BINARY, DWORD, DWORD_BIG_ENDIAN, LINK, MULTI_SZ, RESOURCE_LIST, QWORD, unknown.
  const std::uint32_t types[] = {0, 3, 4, 5, 6, 7, 8, 11, 0x7FFF0001u};
  std::vector<Case> cases;
  for (const auto& at : locations()) {
    const std::vector<std::pair<const char*, std::string>> payloads = {
        {"1 byte", std::string(1, '\x01')},
        {"3 bytes", std::string("\x4c\x00\x69", 3)},
        {"4 bytes", std::string("\x01\x00\x00\x00", 4)},
        {"8 bytes", std::string("\x0b\x00\x00\x00\x00\x00\x00\x00", 8)},
        {"the right text", utf16(widen(at.proper))},
    };
    for (const std::uint32_t type : types) {
      const std::string label = std::string(at.label) + " of type " + std::to_string(type);
      for (const auto& [size, bytes] : payloads)
        cases.push_back(box_case(label + ", " + size, store(at, type, bytes), at.value));
      // No data at all reads as an empty value, whatever its type.
      cases.push_back({label + ", no data", store(at, type, ""), Ending::Kept, kept_status(at), ""});
    }
    // Text types with odd byte counts or no terminating NUL still read as their text.
    for (const std::uint32_t type : {platform::kRegSz, platform::kRegExpandSz}) {
      const std::string label = std::string(at.label) + " of text type " + std::to_string(type);
      cases.push_back({label + ", a stray last byte", store(at, type, utf16(widen(at.proper)) + "\x41"),
                       Ending::Removed, 0, ""});
      cases.push_back({label + ", without NUL", store(at, type, utf16(widen(at.proper), false)),
                       Ending::Removed, 0, ""});
      cases.push_back({label + ", odd and without NUL",
                       store(at, type, utf16(widen(at.proper), false) + "\x41"), Ending::Removed, 0, ""});
      cases.push_back({label + ", one byte", store(at, type, "\x41"), Ending::Kept, kept_status(at), ""});
    }
  }
  // An unrelated record before the suite's: its display name is read too.
  cases.push_back(box_case("another record's DisplayName is a DWORD",
                           [](sim::Machine& m) {
                             m.set_dword(kHkeyLocalMachine, world::kUninstallKey + "AAA Other", "DisplayName", 7);
                           },
                           "DisplayName"));
  run_all(cases);
}

TEST_F(BadInput, EmptyHugeAndNulHoldingTexts) {
  const std::string huge(kMiB, 'x');
  auto text = [](const Location& at, std::string value) {
    return [&at, value](sim::Machine& m) { m.set_value(at.root, at.path, at.value, platform::kRegSz, utf16(widen(value))); };
  };
  const auto& appid = locations()[0];
  const auto& location = locations()[1];
  const auto& display = locations()[2];
  const auto& uninstall = locations()[3];
  const std::string nul(1, '\0');
  const std::vector<Case> cases = {
      {"empty AppID default", text(appid, ""), Ending::Kept, 0, ""},
      {"empty INSTALLLOCATION", text(location, ""), Ending::Kept, kNotFound, ""},
      {"empty DisplayName", text(display, ""), Ending::Kept, kept_status(display), ""},
      {"empty UninstallString", text(uninstall, ""), Ending::Kept, kNotFound, ""},
      {"1 MiB AppID default after the name", text(appid, "LibreOffice" + huge), Ending::Removed, 0, ""},
      {"1 MiB INSTALLLOCATION", text(location, "C:\\" + huge + "\\"), Ending::Kept, kNotFound, ""},
      {"1 MiB DisplayName after the name", text(display, world::kDisplayName + huge), Ending::Removed, 0, ""},
      {"1 MiB UninstallString after the code", text(uninstall, uninstall.proper + huge), Ending::Kept, 0, ""},
      {"1 MiB DisplayName in another record",
       [huge](sim::Machine& m) { m.add_uninstall_record("AAA Other", huge, huge); }, Ending::Removed, 0, ""},
      // Text after a NUL is not read: the Windows folder behind it must stay.
      {"INSTALLLOCATION with a NUL before another folder", text(location, world::kFolder + nul + "C:\\Windows\\"),
       Ending::Removed, 0, ""},
      {"INSTALLLOCATION cut at the drive by a NUL", text(location, "C:\\" + nul + "Program Files\\LibreOffice\\"),
       Ending::Kept, kNotFound, ""},
      {"DisplayName with a NUL after the name", text(display, world::kProductKey + nul + "junk"), Ending::Removed, 0, ""},
      {"UninstallString with a NUL before a second switch",
       text(uninstall, uninstall.proper + nul + " /I{00000000-0000-0000-0000-000000000000}"), Ending::Removed, 0, ""},
      {"AppID default starting with a NUL", text(appid, nul + "LibreOffice"), Ending::Kept, 0, ""},
  };
  run_all(cases);
}

TEST_F(BadInput, NamesAndTextsOutsideTheCodePage) {
  auto wide_text = [](const Location& at, std::u16string value) {
    return [&at, value](sim::Machine& m) { m.set_value(at.root, at.path, at.value, platform::kRegSz, utf16(value)); };
  };
  const auto& appid = locations()[0];
  const auto& location = locations()[1];
  const auto& display = locations()[2];
  const auto& uninstall = locations()[3];
  const std::u16string greek = u"\u03A9\u03A3\u0394", cjk = u"\u6587\u5B57", pair = u"\U0001F600",
                       lone = u"\xD800";
  std::vector<Case> cases = {
      {"AppID default with Greek after the name", wide_text(appid, u"LibreOffice " + greek), Ending::Removed, 0, ""},
      {"DisplayName with CJK after the name", wide_text(display, widen(world::kProductKey) + u" " + cjk),
       Ending::Removed, 0, ""},
      {"DisplayName with a lone surrogate", wide_text(display, widen(world::kProductKey) + lone), Ending::Removed, 0, ""},
      // "?" stands for what the code page lacks: never a wildcard that reaches a file call.
      {"INSTALLLOCATION with Greek", wide_text(location, u"C:\\Program Files\\LibreOffice " + greek + u"\\"),
       Ending::Kept, kNotFound, ""},
      {"INSTALLLOCATION with a surrogate pair", wide_text(location, u"C:\\Program Files\\" + pair + u"\\"),
       Ending::Kept, kNotFound, ""},
      {"UninstallString with CJK after the code", wide_text(uninstall, widen(uninstall.proper) + cjk),
       Ending::Kept, 0, ""},
  };
  // Record and value names the code page cannot hold, and names of 255 characters.
  const std::vector<std::pair<const char*, std::u16string>> names = {
      {"Greek", greek},
      {"CJK", cjk},
      {"255 Greek", std::u16string(255, u'\u03A9')},
      {"255 ASCII", std::u16string(255, u'A')},
      {"255 with a surrogate pair", std::u16string(253, u'B') + pair},
  };
  for (const auto& [label, name] : names) {
    cases.push_back({std::string("a record named ") + label,
                     [name](sim::Machine& m) {
                       auto* records = m.find_key(kHkeyLocalMachine, world::kUninstallKey);
                       auto& record = bad_input::add_wide_key(*records, name);
                       bad_input::set_wide_value(record, u"DisplayName", platform::kRegSz, utf16(u"Other " + name));
                       bad_input::set_wide_value(record, u"UninstallString", platform::kRegSz, utf16(u"MsiExec.exe /I" + name));
                     },
                     Ending::Removed, 0, ""});
    cases.push_back({std::string("a value named ") + label + " in the suite's record",
                     [name](sim::Machine& m) {
                       bad_input::set_wide_value(*m.find_key(kHkeyLocalMachine, world::kUninstallKey + world::kProductCode),
                                                 name, platform::kRegDword, std::string(4, '\0'));
                     },
                     Ending::Removed, 0, ""});
    cases.push_back({std::string("a version key named ") + label,
                     [name](sim::Machine& m) {
                       auto& version = bad_input::add_wide_key(*m.find_key(kHkeyLocalMachine, world::kTdfVendor), name);
                       bad_input::add_wide_key(version, u"Other");
                     },
                     Ending::Removed, 0, ""});
  }
  cases.push_back({"a value name of 16,383 characters in the suite's record",
                   [](sim::Machine& m) {
                     bad_input::set_wide_value(*m.find_key(kHkeyLocalMachine, world::kUninstallKey + world::kProductCode),
                                               std::u16string(16383, u'V'), platform::kRegSz, utf16(u"x"));
                   },
                   Ending::Removed, 0, ""});
  run_all(cases);
}

TEST_F(BadInput, FiftyThousandRecordsBeforeTheSuitesOwn) {
  run_all({{"50,000 records",
            [](sim::Machine& m) {
              // Built as nodes and sorted once: adding them one by one is the slow part.
              auto* records = m.find_key(kHkeyLocalMachine, world::kUninstallKey);
              char name[32];
              for (int i = 0; i < 50000; ++i) {
                std::snprintf(name, sizeof name, "Record %05d", i);
                auto record = std::make_shared<sim::RegKeyNode>();
                record->name = widen(name);
                record->upper = sim::upper_wide(record->name);
                record->values = {{u"DisplayName", platform::kRegSz, utf16(u"Program " + record->name)},
                                  {u"UninstallString", platform::kRegSz, utf16(u"C:\\p\\" + record->name + u".exe")}};
                records->subkeys.push_back(record);
              }
              std::sort(records->subkeys.begin(), records->subkeys.end(),
                        [](const auto& a, const auto& b) { return a->upper < b->upper; });
            },
            Ending::Removed, 0, ""}});
}

TEST_F(BadInput, BootstrapFiles) {
  const std::string path = world::kFolder + "program\\bootstrap.ini";
  auto file = [path](std::string bytes) {
    return [path, bytes](sim::Machine& m) { m.add_file(path, bytes); };
  };
  const std::string content = "[Bootstrap]\r\nProductKey=" + world::kProductKey + "\r\n";
  const std::string utf16_le = "\xFF\xFE" + utf16(widen(content), false);
  std::string utf16_be = "\xFE\xFF";
  for (char c : content) utf16_be += std::string(1, '\0') + c;
  std::string filler;
  for (std::string line = "[Other]\r\n"; filler.size() < 64 * kMiB;) {
    filler += line;
    line = "k=" + std::string(1000, 'v') + "\r\n";
  }
  const std::string huge_line(kMiB, 'z');
  std::vector<Case> cases = {
      {"an empty file", file(""), Ending::Kept, kNotFound, ""},
      {"only a UTF-16 LE mark", file("\xFF\xFE"), Ending::Kept, kNotFound, ""},
      {"only a UTF-16 BE mark", file("\xFE\xFF"), Ending::Kept, kNotFound, ""},
      {"only a UTF-8 mark", file("\xEF\xBB\xBF"), Ending::Kept, kNotFound, ""},
      {"UTF-16 LE", file(utf16_le), Ending::Removed, 0, ""},
      {"UTF-16 LE of odd length", file(utf16_le + "\x41"), Ending::Removed, 0, ""},
      {"UTF-16 BE of odd length", file(utf16_be + "\x41"), Ending::Removed, 0, ""},
      {"UTF-16 without its mark", file(utf16(widen(content), false)), Ending::Kept, kNotFound, ""},
      {"UTF-8 with its mark", file("\xEF\xBB\xBF" + content), Ending::Removed, 0, ""},
      {"64 MiB before the section", file(filler + content), Ending::Removed, 0, ""},
      {"a 1 MiB line before the key", file("[Bootstrap]\r\n;" + huge_line + "\r\nProductKey=" + world::kProductKey),
       Ending::Removed, 0, ""},
      {"a 1 MiB product key", file("[Bootstrap]\nProductKey=" + huge_line + "\n"), Ending::Kept, kNotFound, ""},
      {"a 1 MiB section name", file("[" + huge_line + "]\n" + content), Ending::Removed, 0, ""},
      {"a NUL inside the section name", file(std::string("[Boot\0strap]\r\nProductKey=x\r\n", 28)), Ending::Kept, kNotFound, ""},
      {"lines ended by CR only", file("[Bootstrap]\rProductKey=" + world::kProductKey + "\r"), Ending::Removed, 0, ""},
  };
  // Binary noise: whatever it decodes to, the run finds no product key in it.
  std::mt19937 random(20240611);
  for (int seed = 0; seed < 16; ++seed) {
    std::string noise(std::size_t{1} << (seed % 8 + 9), '\0');
    for (auto& byte : noise) byte = static_cast<char>(random());
    if (seed % 4 == 0) noise.replace(0, 2, "\xFF\xFE");  // some as UTF-16
    cases.push_back({"noise " + std::to_string(seed), file(noise), Ending::Kept, kNotFound, ""});
  }
  run_all(cases);
}

}  // namespace
