// The registry calls, shaped like advapi32's: same order of calls, same status
// codes (0 success, 2 missing, 234 buffer too small, 259 no more items).
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"

namespace platform {

using RegKey = std::uintptr_t;  // HKEY
inline constexpr RegKey kHkeyClassesRoot = 0x80000000u;
inline constexpr RegKey kHkeyLocalMachine = 0x80000002u;

inline constexpr std::uint32_t kKeyRead = 0x20019;        // KEY_READ
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;   // KEY_ALL_ACCESS
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
inline constexpr std::uint32_t kReadControl = 0x20000;
// The registry view an open reaches on 64-bit Windows (ignored on 32-bit Windows).
inline constexpr std::uint32_t kKeyWow6464Key = 0x0100;  // KEY_WOW64_64KEY
inline constexpr std::uint32_t kKeyWow6432Key = 0x0200;  // KEY_WOW64_32KEY

inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// RegQueryInfoKeyA's counts; lengths are in characters without the NUL, data in bytes.
struct RegKeyInfo {
  std::uint32_t subkeys = 0;
  std::uint32_t max_subkey_length = 0;
  std::uint32_t values = 0;
  std::uint32_t max_value_name_length = 0;
  std::uint32_t max_value_data = 0;
};

// RegOpenKeyExW. A sub_key starting with "\" is refused (161), as Windows does.
long reg_open_key(RegKey parent, const WideString& sub_key, std::uint32_t access, RegKey& result);
// RegCloseKey.
long reg_close_key(RegKey key);
// RegQueryInfoKeyA.
long reg_query_info_key(RegKey key, RegKeyInfo& info);
// RegEnumKeyExW: `length` is the buffer's size in characters including the NUL on
// entry, the name's length without it on success; 234 when the buffer is too small.
long reg_enum_key(RegKey key, std::uint32_t index, char16_t* name, std::uint32_t& length);
// RegEnumValueW, names only; same buffer rule as reg_enum_key.
long reg_enum_value(RegKey key, std::uint32_t index, char16_t* name, std::uint32_t& length);
// RegQueryValueExW: with data null, only type and size; `size` in bytes, in and out.
long reg_query_value(RegKey key, const WideString& name, std::uint32_t* type,
                     std::uint8_t* data, std::uint32_t* size);

// FormatMessageA's text for a system error code, without trailing line breaks.
std::string system_message(std::uint32_t code);

}  // namespace platform
