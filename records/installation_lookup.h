// Finding the installed suite: its folder, product key and installer product code.
#pragma once

#include <string>

struct Installation {
  std::string SCHEMOPEN;     // installation folder, lower case, with its trailing "\"
  std::string SVERSOOO;      // product key from the bootstrap file
  std::string SPRODUCTCODE;  // installer product code, braces included
};

inline const char* const SCLE_UPGRADE_CODE = "{4B17E523-5D91-4E69-BD96-7FD81CFA81BB}";

// The value SCHAINE of the upgrade-code subkey SCLE under the version subkeys of the
// vendor key SPATH_OOO; the version subkey enumerated last decides.
std::string CHERCHE_LIBREOFFICE(const std::string& SPATH_OOO, const std::string& SCHAINE,
                                const std::string& SCLE);
// The installation folder, lower-cased, from the first vendor key that exists only.
std::string RECH_DOSSIER_INSTALLATION();
// The product code of the suite's package: that of the first record whose display name
// begins with SVERSOOO among the products the Windows Installer lists under the suite's
// upgrade code (help packs, language packs and the SDK share the name and may enumerate
// first); "" when none of those records matches. Without the list (its key missing,
// unreadable or empty), that of the first record whose display name begins with SVERSOOO.
std::string suite_product_code(const std::string& SVERSOOO);
// The lookup stage: the folder, then the bootstrap file and the uninstall records.
Installation RECH_INSTALLATION();
