#include "records/installer_products.h"

#include "platform/registry.h"
#include "text/installer_codes.h"

namespace {

std::string list_key(const std::string& upgrade_code) {
  return "\\SOFTWARE\\Classes\\Installer\\UpgradeCodes\\" + packed_installer_code(upgrade_code);
}

}  // namespace

bool upgrade_code_listed(const std::string& upgrade_code) {
  return Registry(platform::kHkeyLocalMachine, platform::kKeyRead).key_exists(list_key(upgrade_code));
}

ProductList upgrade_code_products(const std::string& upgrade_code, StringList& packed_codes) {
  packed_codes.clear();
  const std::string key = list_key(upgrade_code);
  Registry registry(platform::kHkeyLocalMachine, platform::kKeyRead);
  if (!registry.open_read_only(key))
    return registry.key_missing(key) ? ProductList::Missing : ProductList::Unreadable;
  registry.value_names(packed_codes);
  return ProductList::Read;
}
