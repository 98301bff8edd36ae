// Searches the Windows uninstall records by the beginning of a display name. Every
// search reads the registry afresh.
#pragma once

#include <functional>
#include <string>

// The uninstall records' key under HKEY_LOCAL_MACHINE, from its root.
inline const char* const SUNINST_PATH = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Tells a record by its key name.
using KeyFilter = std::function<bool(const std::string& key_name)>;

// The value SKEY2 of the first record whose value SKEY begins with SCHAINE (ANSI
// upper-casing on both sides), double quotes removed; "" when none matches or the
// first match lacks SKEY2.
std::string RECH_PROG(const std::string& SCHAINE, const std::string& SKEY, const std::string& SKEY2);
// The key name of that first matching record when it has a value SKEY2; "" otherwise.
std::string RECUP_CLE(const std::string& SCHAINE, const std::string& SKEY, const std::string& SKEY2);
// RECH_PROG over the records whose key name `accepted` takes; the others are not opened.
std::string find_value_among(const std::string& SCHAINE, const std::string& SKEY,
                             const std::string& SKEY2, const KeyFilter& accepted);
// Some record's display name begins with SNOM_APP.
bool RECH_APPLICATION(const std::string& SNOM_APP);
// The key SCLE exists under HKEY_LOCAL_MACHINE.
bool CHERCHE_CLE_EXIST(const std::string& SCLE);
