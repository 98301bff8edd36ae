#include <gtest/gtest.h>

#include "text/installer_codes.h"

namespace {

TEST(InstallerCodes, PackedAsTheInstallerNamesThemInItsKeys) {
  struct Row {
    const char* name;
    const char* code;
    const char* packed;  // "" for a text that is not a code
  };
  const Row rows[] = {
      // The suite's upgrade code, and a fixture package's code as Wine's installer wrote it.
      {"the suite's upgrade code", "{4B17E523-5D91-4E69-BD96-7FD81CFA81BB}",
       "325E71B419D596E4DB69F78DC1AF18BB"},
      {"a product code Wine registered", "{3E1D5A20-7C4B-4F0E-9A61-2B8C0D4E6F01}",
       "02A5D1E3B4C7E0F4A916B2C8D0E4F610"},
      {"every position distinct", "{01234567-89AB-CDEF-0123-456789ABCDEF}",
       "76543210BA98FEDC1032547698BADCFE"},
      {"letters keep their case", "{4b17e523-5d91-4e69-bd96-7fd81cfa81bb}",
       "325e71b419d596e4db69f78dc1af18bb"},
      {"no braces", "4B17E523-5D91-4E69-BD96-7FD81CFA81BB", ""},
      {"already packed", "325E71B419D596E4DB69F78DC1AF18BB", ""},
      {"a hyphen out of place", "{4B17E52-35D91-4E69-BD96-7FD81CFA81BB}", ""},
      {"a letter that is no digit", "{4B17E523-5D91-4E69-BD96-7FD81CFA81BG}", ""},
      {"a digit too many", "{4B17E523-5D91-4E69-BD96-7FD81CFA81BB0}", ""},
      {"a blank after it", "{4B17E523-5D91-4E69-BD96-7FD81CFA81BB} ", ""},
      {"an uninstall record's other name", "{E5A0B1C2-D3E4-4F56-8789-0A1B2C3D4E5F}_is1", ""},
      {"empty", "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(packed_installer_code(row.code), row.packed);
    EXPECT_EQ(is_installer_code(row.code), *row.packed != '\0');
  }
}

}  // namespace
