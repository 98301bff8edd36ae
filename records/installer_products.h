// The products the Windows Installer lists under an upgrade code: the key
// HKLM\SOFTWARE\Classes\Installer\UpgradeCodes\<packed upgrade code> holds one value per
// installed product, named by the product's packed code. Windows shares the key between
// the registry views; under Wine a 64-bit program's 32-bit view does not show it.
#pragma once

#include <string>

#include "platform/string_list.h"

enum class ProductList { Read, Missing, Unreadable };

// The key of the upgrade code's list exists (and may be opened).
bool upgrade_code_listed(const std::string& upgrade_code);

// Replaces `packed_codes` with the packed product codes listed under `upgrade_code`; the
// list stays empty when the key does not exist (Missing) or cannot be opened for another
// reason (Unreadable).
ProductList upgrade_code_products(const std::string& upgrade_code, StringList& packed_codes);
