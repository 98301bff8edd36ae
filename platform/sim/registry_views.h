// The two views of HKLM\SOFTWARE on 64-bit Windows, as the registry redirector maps them
// (Microsoft, "Registry Keys Affected by WOW64", Windows 7 and later). A 32-bit program
// sees the 32-bit view unless it asks for KEY_WOW64_64KEY; a 64-bit program sees the
// 64-bit view unless it asks for KEY_WOW64_32KEY; 32-bit Windows has one view and
// ignores both flags. In the 32-bit view HKLM\SOFTWARE\X is HKLM\SOFTWARE\Wow6432Node\X
// unless X is a shared key; of HKLM\SOFTWARE\Classes (HKCR) only CLSID, DirectShow,
// Interface, Media Type and MediaFoundation are redirected, to Classes\Wow6432Node.
#pragma once

#include <cstdint>
#include <string>

namespace sim {

struct Machine;

// An open with this access mask by the simulated program reaches the 32-bit view of a
// 64-bit Windows.
bool opens_32bit_view(const Machine& machine, std::uint32_t access);
// Where an HKLM path ("SOFTWARE\...", no root name) of the 32-bit view is stored.
std::string path_in_32bit_view(const std::string& hklm_path);
// Where an HKLM path of the 32-bit view (`view32`) or of the 64-bit one is stored.
inline std::string path_in_view(const std::string& hklm_path, bool view32) {
  return view32 ? path_in_32bit_view(hklm_path) : hklm_path;
}

}  // namespace sim
