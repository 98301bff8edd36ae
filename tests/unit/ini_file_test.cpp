#include "errors.h"
#include "records/ini_file.h"
#include "sim_test.h"

using namespace std::string_literals;

namespace {

std::string utf16(const std::u16string& text, bool little) {
  std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
  for (char16_t c : text) {
    const char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
    bytes += little ? low : high;
    bytes += little ? high : low;
  }
  return bytes;
}

TEST(IniValue, BytesInValueOut) {
  struct Row {
    const char* name;
    std::string bytes;
    std::string expected;  // "<default>" when the default must come back
  };
  const Row rows[] = {
      {"plain", "[Bootstrap]\r\nProductKey=LibreOffice 7.6\r\n", "LibreOffice 7.6"},
      {"lone LF", "[Bootstrap]\nA=1\nProductKey=x\n", "x"},
      {"lone CR", "[Bootstrap]\rProductKey=x\r", "x"},
      {"no final line end", "[Bootstrap]\r\nProductKey=x", "x"},
      {"blanks and tabs around", "[Bootstrap]\n \t ProductKey \t=\t value  \t\n", "value"},
      {"control bytes stripped", "\x01[Bootstrap]\x1f\n\x02ProductKey=v\x7f\x03\n", "v\x7f"},
      {"names in small letters", "[bootstrap]\nproductkey=x\n", "x"},
      {"names in capitals", "[BOOTSTRAP]\nPRODUCTKEY=x\n", "x"},
      {"only ASCII letters fold", "[Bootstr\xC0p]\nProductKey=x\n", "<default>"},
      {"blanks inside brackets", "[ Bootstrap ]\nProductKey=x\n", "<default>"},
      {"first section only", "[Bootstrap]\nA=1\n[Other]\n[Bootstrap]\nProductKey=x\n", "<default>"},
      {"first key only", "[Bootstrap]\nProductKey=first\nProductKey=second\n", "first"},
      {"key in another section", "[Other]\nProductKey=x\n[Bootstrap]\nA=1\n", "<default>"},
      {"lines before any section", "ProductKey=x\n", "<default>"},
      {"comment line", "[Bootstrap]\n;ProductKey=x\n", "<default>"},
      {"semicolon after equals", "[Bootstrap]\nProductKey=;x\n", ";x"},
      {"split at the first equals", "[Bootstrap]\nProductKey=a=b\n", "a=b"},
      {"line without equals", "[Bootstrap]\nProductKey\n", "<default>"},
      {"empty value", "[Bootstrap]\nProductKey=\n", ""},
      {"double quotes", "[Bootstrap]\nProductKey=\"LibreOffice 7.6\"\n", "LibreOffice 7.6"},
      {"single quotes", "[Bootstrap]\nProductKey='x y'\n", "x y"},
      {"one quote alone", "[Bootstrap]\nProductKey=\"\n", "\""},
      {"two quotes", "[Bootstrap]\nProductKey=\"\"\n", ""},
      {"mixed quotes stay", "[Bootstrap]\nProductKey=\"x'\n", "\"x'"},
      {"ANSI text", "[Bootstrap]\nProductKey=caf\xE9\n", "caf\xE9"},
      {"UTF-8 with mark", "\xEF\xBB\xBF[Bootstrap]\nProductKey=caf\xC3\xA9\n", "caf\xE9"},
      {"UTF-16 LE", utf16(u"[Bootstrap]\r\nProductKey=caf\u00e9 \u20ac\r\n", true), "caf\xE9 \x80"},
      {"UTF-16 BE", utf16(u"[Bootstrap]\nProductKey=x\n", false), "x"},
      {"UTF-16 outside the code page", utf16(u"[Bootstrap]\nProductKey=\u4e2d\n", true), "?"},
      {"UTF-16 odd length", utf16(u"[Bootstrap]\nProductKey=x", true) + "\x41", "x"},
      {"empty file", "", "<default>"},
      {"only a mark", "\xEF\xBB\xBF", "<default>"},
      {"embedded NUL", "[Bootstrap]\nProductKey=a\0b\n"s, "a\0b"s},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ini_value_from_bytes(row.bytes, "Bootstrap", "ProductKey", "<default>"), row.expected);
  }
}

using IniFileTest = SimTest;

TEST_F(IniFileTest, MissingFileOrFolderGivesTheDefault) {
  m.add_folder("C:\\suite\\program\\bootstrap.ini");
  EXPECT_EQ(read_ini_value("C:\\suite\\program\\bootstrap.ini", "Bootstrap", "ProductKey", "d"), "d");
  EXPECT_EQ(read_ini_value("C:\\missing\\bootstrap.ini", "Bootstrap", "ProductKey", "d"), "d");
}

TEST_F(IniFileTest, ReadsThroughThePlatform) {
  m.add_file("C:\\suite\\program\\bootstrap.ini", "[Bootstrap]\nProductKey=LibreOffice 7.6\n");
  EXPECT_EQ(read_ini_value("C:\\SUITE\\PROGRAM\\bootstrap.ini", "Bootstrap", "ProductKey", ""),
            "LibreOffice 7.6");
}

TEST_F(IniFileTest, AFileThatCannotBeOpenedRaisesWithTheSystemText) {
  m.add_file("C:\\suite\\bootstrap.ini", "[Bootstrap]\nProductKey=x\n").locked = true;
  try {
    read_ini_value("C:\\suite\\bootstrap.ini", "Bootstrap", "ProductKey", "");
    ADD_FAILURE() << "no error raised";
  } catch (const EFOpenError& error) {
    EXPECT_EQ(error.class_name(), "EFOpenError");
    EXPECT_EQ(error.message(),
              "Unable to open file \"C:\\suite\\bootstrap.ini\": The process cannot access the "
              "file because it is being used by another process.");
  }
}

}  // namespace
