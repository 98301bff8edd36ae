#include "records/suite_family.h"

#include <functional>
#include <optional>

#include "platform/codepage.h"
#include "platform/registry.h"
#include "records/installer_products.h"
#include "records/uninstall_search.h"
#include "text/installer_codes.h"

namespace {

std::string record_path(const std::string& key_name) {
  return std::string(SUNINST_PATH) + "\\" + key_name;
}

// One walk over the records whose key name is a product code, in enumeration order;
// other records are not even opened. `visit` gets the key name and the accessor, with
// no key open; true from it ends the walk, and the answer is whether one did.
bool walk_installer_records(const std::function<bool(const std::string&, Registry&)>& visit) {
  Registry registry(platform::kHkeyLocalMachine, platform::kKeyRead);
  StringList records;
  if (!registry.open_read_only(SUNINST_PATH)) return false;
  registry.subkey_names(records);
  registry.close_key();
  for (int I = 0; I < records.count(); ++I)
    if (is_installer_code(records[I]) && visit(records[I], registry)) return true;
  return false;
}

enum class Member { No, Yes, Unknown };

// Whether the record is of the family, its display name going to `name`; Unknown when a
// value it rests on could not be read. Closes what it opens.
Member family_member(Registry& registry, const std::string& key_name,
                     const std::string& upper_prefix, const std::string& publisher,
                     std::string& name) {
  if (!registry.open_read_only(record_path(key_name))) return Member::No;
  Member member = Member::No;
  const std::optional<std::string> display_name = registry.read_string_if_known("DisplayName");
  if (!display_name) {
    member = Member::Unknown;
  } else if (display_name->size() > upper_prefix.size() &&
             platform::ansi_upper(display_name->substr(0, upper_prefix.size())) == upper_prefix) {
    name = *display_name;
    const std::optional<std::string> its_publisher =
        publisher.empty() ? publisher : registry.read_string_if_known("Publisher");
    member = !its_publisher ? Member::Unknown : *its_publisher == publisher ? Member::Yes : Member::No;
  }
  registry.close_key();
  return member;
}

}  // namespace

std::string record_publisher(const std::string& product_code) {
  Registry registry(platform::kHkeyLocalMachine, platform::kKeyRead);
  if (!registry.open_read_only(record_path(product_code))) return {};
  return registry.read_string("Publisher");
}

std::vector<FamilyPackage> family_packages(const std::string& product_key,
                                           const std::string& publisher) {
  std::vector<FamilyPackage> family;
  const std::string prefix = platform::ansi_upper(product_key + " ");
  walk_installer_records([&](const std::string& key_name, Registry& registry) {
    std::string name;
    if (family_member(registry, key_name, prefix, publisher, name) == Member::Yes)
      family.push_back({key_name, name});
    return false;
  });
  return family;
}

bool suite_packages_registered(const std::string& product_key, const std::string& publisher,
                               const std::string& upgrade_code) {
  StringList own;
  if (upgrade_code_products(upgrade_code, own) == ProductList::Unreadable) return true;
  const std::string prefix = platform::ansi_upper(product_key + " ");
  return walk_installer_records([&](const std::string& key_name, Registry& registry) {
    // A listed product counts where its record is: in this view, not the other one's.
    if (own.index_of(packed_installer_code(key_name)) >= 0) return true;
    // A record whose name or publisher cannot be read may be one of the family.
    std::string name;
    return family_member(registry, key_name, prefix, publisher, name) != Member::No;
  });
}
