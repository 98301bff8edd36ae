// The suite's packages in the uninstall records of the pass's view: its family, the
// installer packages that carry its product key in their names and its publisher (help
// packs in any language, language packs, the SDK), and the products the Windows
// Installer lists under its upgrade code. The family installs into the suite's folder
// and stays registered after the suite's removal.
#pragma once

#include <string>
#include <vector>

struct FamilyPackage {
  std::string code;          // the record's key name, a product code
  std::string display_name;
};

// The value "Publisher" of the product's uninstall record; "" when missing.
std::string record_publisher(const std::string& product_code);

// The family's records, in enumeration order, read in one walk: key name a product code,
// display name the product key, a blank and more (ANSI upper-casing on both sides), and
// "Publisher" exactly `publisher`; an empty `publisher` takes every publisher. Records
// that cannot be opened, or whose name or publisher cannot be read, are left out.
std::vector<FamilyPackage> family_packages(const std::string& product_key,
                                           const std::string& publisher);

// Some record is still one of the suite's packages, read afresh in one walk: a product
// the installer lists under `upgrade_code`, or one of the family. True as well when that
// list exists but cannot be read, or a record's name or publisher cannot be read: each
// may be one. Records that cannot be opened are skipped.
bool suite_packages_registered(const std::string& product_key, const std::string& publisher,
                               const std::string& upgrade_code);
