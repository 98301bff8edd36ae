// Reading one value of an INI file by section and key.
#pragma once

#include <string>

// The value of KEY in the first section named SECTION of the file's text (bytes as
// read, byte-order mark included), or DEFAULT. Names compare by ASCII letters only.
std::string ini_value_from_bytes(const std::string& bytes, const std::string& section,
                                 const std::string& key, const std::string& default_value);
// The same for a file: DEFAULT when no file of that name exists; a file that exists but
// cannot be opened raises EFOpenError ("Unable to open file "%s": %s").
std::string read_ini_value(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& default_value);
