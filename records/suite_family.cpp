#include "records/suite_family.h"

#include <functional>

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

// The record is of the family; its display name goes to `name`. Closes what it opens.
bool in_family(Registry& registry, const std::string& key_name, const std::string& upper_prefix,
               const std::string& publisher, std::string& name) {
  if (!registry.open_read_only(record_path(key_name))) return false;
  name = registry.read_string("DisplayName");
  const bool member =
      name.size() > upper_prefix.size() &&
      platform::ansi_upper(name.substr(0, upper_prefix.size())) == upper_prefix &&
      (publisher.empty() || registry.read_string("Publisher") == publisher);
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
    if (in_family(registry, key_name, prefix, publisher, name)) family.push_back({key_name, name});
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
    std::string name;
    return in_family(registry, key_name, prefix, publisher, name);
  });
}
