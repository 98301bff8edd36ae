// The registry calls over advapi32, and the system's text for an error code.
#include "platform/registry_calls.h"

#include "platform/win32/windows_gateway.h"

namespace platform {

namespace {

HKEY hkey(RegKey key) { return reinterpret_cast<HKEY>(key); }

LPCWSTR wide(const WideString& text) { return reinterpret_cast<LPCWSTR>(text.c_str()); }

}  // namespace

long reg_open_key(RegKey parent, const WideString& sub_key, std::uint32_t access, RegKey& result) {
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExW(hkey(parent), wide(sub_key), 0, access, &opened);
  result = status == ERROR_SUCCESS ? reinterpret_cast<RegKey>(opened) : 0;
  return status;
}

long reg_close_key(RegKey key) { return RegCloseKey(hkey(key)); }

long reg_query_info_key(RegKey key, RegKeyInfo& info) {
  DWORD subkeys = 0, max_subkey = 0, values = 0, max_value_name = 0, max_data = 0;
  const LONG status = RegQueryInfoKeyA(hkey(key), nullptr, nullptr, nullptr, &subkeys,
                                       &max_subkey, nullptr, &values, &max_value_name,
                                       &max_data, nullptr, nullptr);
  if (status == ERROR_SUCCESS) info = {subkeys, max_subkey, values, max_value_name, max_data};
  return status;
}

long reg_enum_key(RegKey key, std::uint32_t index, char16_t* name, std::uint32_t& length) {
  DWORD size = length;
  const LONG status = RegEnumKeyExW(hkey(key), index, reinterpret_cast<LPWSTR>(name), &size,
                                    nullptr, nullptr, nullptr, nullptr);
  if (status == ERROR_SUCCESS) length = size;
  return status;
}

long reg_enum_value(RegKey key, std::uint32_t index, char16_t* name, std::uint32_t& length) {
  DWORD size = length;
  const LONG status = RegEnumValueW(hkey(key), index, reinterpret_cast<LPWSTR>(name), &size,
                                    nullptr, nullptr, nullptr, nullptr);
  if (status == ERROR_SUCCESS) length = size;
  return status;
}

long reg_query_value(RegKey key, const WideString& name, std::uint32_t* type,
                     std::uint8_t* data, std::uint32_t* size) {
  DWORD value_type = 0;
  DWORD value_size = size ? *size : 0;
  const LONG status = RegQueryValueExW(hkey(key), wide(name), nullptr, type ? &value_type : nullptr,
                                       data, size ? &value_size : nullptr);
  if (type && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA)) *type = value_type;
  if (size && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA)) *size = value_size;
  return status;
}

std::string system_message(std::uint32_t code) {
  char buffer[2048];
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                     buffer, sizeof buffer, nullptr);
  std::string text(buffer, length);
  // The system's texts end with CR LF (and sometimes a blank) that a message line must not carry.
  const auto end = text.find_last_not_of("\r\n \t");
  text.erase(end == std::string::npos ? 0 : end + 1);
  return text;
}

}  // namespace platform
