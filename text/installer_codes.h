// Windows Installer product and upgrade codes: GUIDs written in braces,
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with hexadecimal digits in either letter case.
#pragma once

#include <string>

// `text` is such a code, exactly: 38 characters, nothing before or after.
bool is_installer_code(const std::string& text);

// The code as the Windows Installer names it in its own keys (UpgradeCodes, Products):
// the first three groups with their characters reversed, then the last two with each
// pair of characters swapped, without braces or hyphens. {4B17E523-5D91-4E69-BD96-
// 7FD81CFA81BB} is 325E71B419D596E4DB69F78DC1AF18BB. Letters keep their case; "" for a
// text that is not a code.
std::string packed_installer_code(const std::string& code);
