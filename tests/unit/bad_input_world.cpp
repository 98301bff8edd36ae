#include "bad_input_world.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/registry_calls.h"
#include "run/run_sequence.h"
#include "run_audit.h"
#include "suite_world.h"

namespace bad_input {

std::string utf16(const std::u16string& text, bool nul) {
  std::string bytes;
  bytes.reserve(2 * text.size() + 2);
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  if (nul) bytes.append(2, '\0');
  return bytes;
}

sim::RegKeyNode& add_wide_key(sim::RegKeyNode& parent, const std::u16string& name) {
  auto key = std::make_shared<sim::RegKeyNode>();
  key->name = name;
  key->upper = sim::upper_wide(name);
  auto at = std::lower_bound(parent.subkeys.begin(), parent.subkeys.end(), key->upper,
                             [](const auto& node, const std::u16string& wanted) { return node->upper < wanted; });
  return **parent.subkeys.insert(at, key);
}

void set_wide_value(sim::RegKeyNode& key, const std::u16string& name, std::uint32_t type,
                    std::string data) {
  key.values.push_back({name, type, std::move(data)});
}

void check(const Case& c) {
  SCOPED_TRACE(c.name);
  sim::Machine& m = sim::reset();
  world::typical_machine(m);
  m.add_file("C:\\Windows\\explorer.exe", "MZ");  // something that must never go
  c.mutate(m);
  const audit::State before = audit::take(m);
  const audit::Allowed allowed = audit::suite_allowed();

  const int status = quorvalis_main({"/quiet"});

  EXPECT_EQ(status, c.status);
  if (c.ending == Ending::Box) {
    ASSERT_EQ(m.message_boxes.size(), 1u);
    const std::string& text = m.message_boxes[0].text;
    EXPECT_EQ(text.substr(text.find('\n') + 1), c.message);
    EXPECT_EQ(m.message_boxes[0].caption, "Error");
  } else {
    EXPECT_TRUE(m.message_boxes.empty()) << m.message_boxes[0].text;
  }
  const auto changes = audit::unexpected_changes(before, m, allowed);
  for (const auto& change : changes) ADD_FAILURE() << change;
  EXPECT_EQ(m.open_handles(), 0);
  const bool record_left =
      m.key_exists(platform::kHkeyLocalMachine, world::kUninstallKey + world::kProductCode);
  if (c.ending == Ending::Removed) {
    EXPECT_FALSE(record_left);
    EXPECT_TRUE(audit::cleanup_complete(before, m, allowed));
  } else {
    EXPECT_TRUE(record_left);
    EXPECT_TRUE(audit::cleanup_untouched(before, m, allowed));
  }
}

}  // namespace bad_input
