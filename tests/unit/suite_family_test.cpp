#include <gmock/gmock.h>

#include "platform/registry.h"
#include "platform/sim/installer_tool.h"
#include "records/suite_family.h"
#include "sim_test.h"
#include "suite_world.h"

namespace {

using world::kProductKey;
using world::kPublisher;

class SuiteFamilyTest : public SimTest {
 protected:
  void record(const std::string& key, const std::string& name,
              const std::optional<std::string>& publisher = kPublisher) {
    m.set_string(HKLM, world::kUninstallKey + key, "DisplayName", name);
    if (publisher) m.set_string(HKLM, world::kUninstallKey + key, "Publisher", *publisher);
  }
  std::vector<std::string> codes(const std::string& publisher) {
    std::vector<std::string> found;
    for (const auto& package : family_packages(kProductKey, publisher)) found.push_back(package.code);
    return found;
  }
};

std::string code(int n) {
  char text[40];
  std::snprintf(text, sizeof text, "{0A000000-0000-4000-8000-0000000000%02d}", n);
  return text;
}

TEST_F(SuiteFamilyTest, TheFamilyIsTheProductKeyABlankAndMoreFromTheSuitesPublisher) {
  struct Row {
    const char* name;
    std::string key;
    std::string display_name;
    std::optional<std::string> publisher;
    bool of_the_publisher;  // in the family of the suite's publisher
    bool of_any_publisher;  // in the family when the publisher is unknown
  };
  const Row rows[] = {
      {"a help pack", code(1), kProductKey + " Help Pack (German)", kPublisher, true, true},
      {"the SDK in small letters", code(2), "libreoffice 7.6 sdk", kPublisher, true, true},
      {"the suite itself", code(3), kProductKey + ".4.1", kPublisher, false, false},
      {"the product key alone", code(4), kProductKey, kPublisher, false, false},
      {"nothing after the blank", code(5), kProductKey + " ", kPublisher, false, false},
      {"a later version", code(6), kProductKey + "0 Beta", kPublisher, false, false},
      {"another publisher", code(7), kProductKey + " Companion", "Companion Software Ltd", false, true},
      {"no publisher", code(8), kProductKey + " Language Pack (Hungarian)", std::nullopt, false, true},
      {"the publisher in other letters", code(9), kProductKey + " Help Pack (Dutch)",
       "the document foundation", false, true},
      {"not an installer package", "HelpPackItalian", kProductKey + " Help Pack (Italian)", kPublisher,
       false, false},
      {"a code without braces", "0A000000-0000-4000-8000-000000000010", kProductKey + " Help Pack (Czech)",
       kPublisher, false, false},
  };
  std::vector<std::string> of_the_publisher, of_any_publisher;
  for (const auto& row : rows) {
    record(row.key, row.display_name, row.publisher);
    if (row.of_the_publisher) of_the_publisher.push_back(row.key);
    if (row.of_any_publisher) of_any_publisher.push_back(row.key);
  }
  m.record_calls = true;
  // Enumeration order, which for these keys is the rows' order.
  EXPECT_EQ(codes(kPublisher), of_the_publisher);
  EXPECT_EQ(codes(""), of_any_publisher);
  const auto family = family_packages(kProductKey, kPublisher);
  ASSERT_EQ(family.size(), 2u);
  EXPECT_EQ(family[1].display_name, "libreoffice 7.6 sdk");
  // Records that are no installer packages are not even opened.
  for (const auto& [call, target] : m.call_log) {
    EXPECT_EQ(target.find("HelpPackItalian"), std::string::npos) << sim::call_name(call);
    EXPECT_EQ(target.find("0A000000-0000-4000-8000-000000000010"), std::string::npos);
  }
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(SuiteFamilyTest, UnreadableRecordsAreSkippedAndTheOthersRead) {
  record(code(1), kProductKey + " Help Pack (German)");
  record(code(2), kProductKey + " Help Pack (Dutch)");
  record(code(3), kProductKey + " SDK");
  m.find_key(HKLM, world::kUninstallKey + code(2))->open_denied = true;
  EXPECT_EQ(codes(kPublisher), (std::vector<std::string>{code(1), code(3)}));
  m.find_key(HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall")->open_denied = true;
  EXPECT_TRUE(codes(kPublisher).empty());
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(SuiteFamilyTest, ARecordThatCannotBeReadIsNeverRemovedAndAlwaysHoldsTheFolder) {
  struct Row {
    const char* name;
    std::string display_name;
    const char* unreadable;  // the value whose size query is refused
  };
  const Row rows[] = {
      {"its name", kProductKey + " Help Pack (German)", "DisplayName"},
      {"the publisher of a record named like the family", kProductKey + " Help Pack (German)", "Publisher"},
      {"a name from another product", "Other Product", "DisplayName"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::Machine& machine = sim::reset();
    world::add_package_record(machine, code(1), row.display_name);
    machine.fail(sim::Call::RegQueryValue, platform::kErrorAccessDenied, 1, true,
                 "HKLM\\" + world::kUninstallKey + code(1) + "\\" + row.unreadable);
    EXPECT_TRUE(family_packages(kProductKey, kPublisher).empty());
    EXPECT_TRUE(suite_packages_registered(kProductKey, kPublisher, world::kUpgradeCode));
    EXPECT_GE(machine.faults_injected(), 2);
    EXPECT_EQ(machine.open_handles(), 0);
  }
}

TEST_F(SuiteFamilyTest, ThePublisherOfARecord) {
  record(code(1), "x", kPublisher);
  record(code(2), "y", std::nullopt);
  EXPECT_EQ(record_publisher(code(1)), kPublisher);
  EXPECT_EQ(record_publisher(code(2)), "");
  EXPECT_EQ(record_publisher(code(3)), "");
  EXPECT_EQ(m.open_handles(), 0);
}

TEST_F(SuiteFamilyTest, APackageOfTheSuiteIsStillRegistered) {
  const std::string older = "{5A2B3C4D-7500-4000-8000-000000000075}";
  struct Row {
    const char* name;
    std::function<void(sim::Machine&)> left;  // what is left after the suite's removal
    bool registered;
  };
  const auto listed = [](const std::string& product) {
    return [product](sim::Machine& machine) {
      machine.set_string(HKLM, sim::upgrade_code_key(world::kUpgradeCode), sim::packed_code(product), "");
    };
  };
  const auto recorded = [](const std::string& product, const std::string& name,
                           world::View view = world::View::Native) {
    return [=](sim::Machine& machine) { world::add_package_record(machine, product, name, view); };
  };
  const Row rows[] = {
      {"nothing", [](sim::Machine&) {}, false},
      {"a help pack of the family", recorded(code(1), kProductKey + " Help Pack (German)"), true},
      {"another publisher's package named alike",
       [&](sim::Machine& machine) {
         recorded(code(1), kProductKey + " Companion")(machine);
         machine.set_string(HKLM, world::kUninstallKey + code(1), "Publisher", "Companion Software Ltd");
       },
       false},
      {"the suite, listed and recorded (a help pack was taken for it)",
       [&](sim::Machine& machine) {
         listed(world::kProductCode)(machine);
         recorded(world::kProductCode, world::kDisplayName)(machine);
       },
       true},
      {"an older version, listed and recorded",
       [&](sim::Machine& machine) {
         listed(older)(machine);
         recorded(older, "LibreOffice 7.5.9.2")(machine);
       },
       true},
      {"a listed product recorded in the other view",
       [&](sim::Machine& machine) {
         listed(older)(machine);
         recorded(older, "LibreOffice 7.5.9.2", world::View::Wow6432)(machine);
       },
       false},
      {"a listed product without a record", listed(older), false},
      {"an empty list", [](sim::Machine& machine) { machine.add_key(HKLM, sim::upgrade_code_key(world::kUpgradeCode)); },
       false},
      {"a list that cannot be opened",
       [&](sim::Machine& machine) {
         listed(older)(machine);
         machine.find_key(HKLM, sim::upgrade_code_key(world::kUpgradeCode))->open_denied = true;
       },
       true},
      {"an older version's vendor entry alone",
       [](sim::Machine& machine) {
         world::add_vendor_location(machine, world::kTdfVendor, "7.5.9.2", world::kFolder);
       },
       false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::Machine& machine = sim::reset();
    machine.windows_is_64_bit = true;  // two views: the 64-bit one is the program's
    machine.program_is_64_bit = true;
    row.left(machine);
    EXPECT_EQ(suite_packages_registered(kProductKey, kPublisher, world::kUpgradeCode), row.registered);
    EXPECT_EQ(machine.open_handles(), 0);
  }
}

}  // namespace
