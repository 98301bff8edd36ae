// The contract world over the Wine prefix's registry.
#include <windows.h>

#include <stdexcept>

#include "tests/contract/registry_world.h"

namespace world {

const bool kUnderWine = true;

namespace {

std::wstring wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

HKEY hkey(platform::RegKey root) { return reinterpret_cast<HKEY>(root); }

void check(LONG status, const char* what, const std::string& path) {
  if (status != ERROR_SUCCESS)
    throw std::runtime_error(std::string(what) + " " + path + ": " + std::to_string(status));
}

HKEY create(platform::RegKey root, const std::string& path) {
  HKEY key = nullptr;
  check(RegCreateKeyExW(hkey(root), wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr),
        "RegCreateKeyExW", path);
  return key;
}

}  // namespace

void begin() {}

void create_key(platform::RegKey root, const std::string& path) {
  RegCloseKey(create(root, path));
}

void set_value(platform::RegKey root, const std::string& path, const std::string& name,
               std::uint32_t type, const std::string& bytes) {
  HKEY key = create(root, path);
  // RegSetValueExW adds a string's NUL when the size leaves it out but the memory after
  // the data holds one (Windows does so too): non-zero bytes there keep the data as given.
  const std::string padded = bytes + "\xFF\xFF";
  const LONG status =
      RegSetValueExW(key, wide(name).c_str(), 0, type,
                     reinterpret_cast<const BYTE*>(padded.data()), static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
  check(status, "RegSetValueExW", path + "\\" + name);
}

void delete_tree(platform::RegKey root, const std::string& path) {
  const LONG status = RegDeleteTreeW(hkey(root), wide(path).c_str());
  if (status != ERROR_FILE_NOT_FOUND) check(status, "RegDeleteTreeW", path);
}

void set_string_in_view(platform::RegKey root, const std::string& path, const std::string& name,
                        const std::string& ascii_text, std::uint32_t view_flag) {
  HKEY key = nullptr;
  check(RegCreateKeyExW(hkey(root), wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS | view_flag, nullptr, &key, nullptr),
        "RegCreateKeyExW", path);
  const std::wstring text = wide(ascii_text);
  const LONG status = RegSetValueExW(key, wide(name).c_str(), 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(text.c_str()),
                                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  check(status, "RegSetValueExW", path + "\\" + name);
}

void delete_tree_in_view(platform::RegKey root, const std::string& path, std::uint32_t view_flag) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(hkey(root), wide(path).c_str(), 0, KEY_ALL_ACCESS | view_flag, &key) !=
      ERROR_SUCCESS)
    return;
  const LONG status = RegDeleteTreeW(key, nullptr);  // what is below it, values included
  RegCloseKey(key);
  check(status, "RegDeleteTreeW", path);
  check(RegDeleteKeyExW(hkey(root), wide(path).c_str(), view_flag, 0), "RegDeleteKeyExW", path);
}

std::vector<WindowsKind> windows_kinds() { return {{"this prefix's Windows", false, false}}; }

void become(const WindowsKind&) {}

std::uint32_t ansi_code_page() { return GetACP(); }

}  // namespace world
