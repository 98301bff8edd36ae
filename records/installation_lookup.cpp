#include "records/installation_lookup.h"

#include "fonction.h"
#include "platform/codepage.h"
#include "platform/registry.h"
#include "records/ini_file.h"
#include "records/installer_products.h"
#include "records/uninstall_search.h"
#include "text/installer_codes.h"

namespace {

const char* const SPATH_LIBO_TDF = "\\SOFTWARE\\The Document Foundation\\LibreOffice\\";
const char* const SPATH_LIBO_QELM = "\\SOFTWARE\\Qelm\\LibreOffice\\";
const char* const SPATH_LIBO_COLLABORA = "SOFTWARE\\Collabora\\Collabora Office\\";
const char* const SPATH_LIBO_ZETA = "\\SOFTWARE\\allotropia software GmbH\\ZetaOffice\\";

}  // namespace

std::string CHERCHE_LIBREOFFICE(const std::string& SPATH_OOO, const std::string& SCHAINE,
                                const std::string& SCLE) {
  std::string result;
  Registry REG(platform::kHkeyLocalMachine);
  StringList KEYS, KEYS2;
  if (!REG.open_read_only(SPATH_OOO)) return result;
  REG.subkey_names(KEYS);
  REG.close_key();
  for (int I = 0; I < KEYS.count(); ++I) {
    if (!REG.open_read_only(SPATH_OOO + KEYS[I])) continue;
    REG.subkey_names(KEYS2);
    REG.close_key();
    for (int J = 0; J < KEYS2.count(); ++J) {
      if (KEYS2[J] == SCLE && REG.open_read_only(SPATH_OOO + KEYS[I] + "\\" + KEYS2[J]))
        result = REG.read_string(SCHAINE);  // "" when the value is missing
      REG.close_key();
    }
  }
  return result;
}

std::string RECH_DOSSIER_INSTALLATION() {
  const Registry registry(platform::kHkeyLocalMachine, platform::kKeyRead);
  for (const char* vendor : {SPATH_LIBO_TDF, SPATH_LIBO_QELM, SPATH_LIBO_COLLABORA, SPATH_LIBO_ZETA})
    if (registry.key_exists(vendor))
      return platform::ansi_lower(CHERCHE_LIBREOFFICE(vendor, "INSTALLLOCATION", SCLE_UPGRADE_CODE));
  return {};
}

std::string suite_product_code(const std::string& SVERSOOO) {
  StringList own;
  const bool listed = upgrade_code_products(SCLE_UPGRADE_CODE, own) == ProductList::Read;
  if (!listed || own.count() == 0)
    return STRAFTER("MsiExec.exe /I", RECH_PROG(SVERSOOO, "DisplayName", "UninstallString"));
  // The first record named after the product key among the suite's own products only,
  // which is the first of all whenever that one is the suite's. A record the list does
  // not name is never taken for the suite, even when no record it names can be read.
  const KeyFilter is_own = [&own](const std::string& key_name) {
    const std::string packed = packed_installer_code(key_name);
    return !packed.empty() && own.index_of(packed) >= 0;
  };
  return STRAFTER("MsiExec.exe /I", find_value_among(SVERSOOO, "DisplayName", "UninstallString", is_own));
}

Installation RECH_INSTALLATION() {
  Installation found;
  found.SCHEMOPEN = RECH_DOSSIER_INSTALLATION();
  if (found.SCHEMOPEN.empty()) return found;
  found.SVERSOOO = read_ini_value(found.SCHEMOPEN + "PROGRAM\\bootstrap.ini", "Bootstrap", "ProductKey", "");
  found.SPRODUCTCODE = suite_product_code(found.SVERSOOO);
  return found;
}
