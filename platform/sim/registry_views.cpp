#include "platform/sim/registry_views.h"

#include <vector>

#include "platform/registry_calls.h"
#include "platform/sim/machine.h"

namespace sim {

namespace {

// Keys under HKLM\SOFTWARE that both views share, upper-cased.
const char* const kShared[] = {
    "MICROSOFT\\COM3", "MICROSOFT\\CRYPTOGRAPHY\\CALAIS\\CURRENT",
    "MICROSOFT\\CRYPTOGRAPHY\\CALAIS\\READERS", "MICROSOFT\\CRYPTOGRAPHY\\SERVICES",
    "MICROSOFT\\CTF\\SYSTEMSHARED", "MICROSOFT\\CTF\\TIP", "MICROSOFT\\DFS",
    "MICROSOFT\\DRIVER SIGNING", "MICROSOFT\\ENTERPRISECERTIFICATES", "MICROSOFT\\EVENTSYSTEM",
    "MICROSOFT\\MSMQ", "MICROSOFT\\NON-DRIVER SIGNING", "MICROSOFT\\NOTEPAD\\DEFAULTFONTS",
    "MICROSOFT\\OLE", "MICROSOFT\\RAS", "MICROSOFT\\RPC",
    "MICROSOFT\\SOFTWARE\\MICROSOFT\\SHARED TOOLS\\MSINFO", "MICROSOFT\\SYSTEMCERTIFICATES",
    "MICROSOFT\\TERMSERVLICENSING", "MICROSOFT\\TRANSACTION SERVER",
    "MICROSOFT\\WINDOWS\\CURRENTVERSION\\APP PATHS",
    "MICROSOFT\\WINDOWS\\CURRENTVERSION\\CONTROL PANEL\\CURSORS\\SCHEMES",
    "MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\AUTOPLAYHANDLERS",
    "MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\DRIVEICONS",
    "MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\KINDMAP",
    "MICROSOFT\\WINDOWS\\CURRENTVERSION\\GROUP POLICY",
    "MICROSOFT\\WINDOWS\\CURRENTVERSION\\POLICIES",
    "MICROSOFT\\WINDOWS\\CURRENTVERSION\\PREVIEWHANDLERS",
    "MICROSOFT\\WINDOWS\\CURRENTVERSION\\SETUP", "MICROSOFT\\WINDOWS\\CURRENTVERSION\\TELEPHONY",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\CONSOLE",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTDPI",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTLINK",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTMAPPER",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTS",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTSUBSTITUTES",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\GRE_INITIALIZE",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\IMAGE FILE EXECUTION OPTIONS",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\LANGUAGEPACK",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\NETWORKCARDS",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\PERFLIB",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\PORTS", "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\PRINT",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\PROFILELIST",
    "MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\TIME ZONES", "POLICIES", "REGISTEREDAPPLICATIONS"};

// Subkeys of Classes that keep a 32-bit copy of their own.
const char* const kRedirectedClasses[] = {"CLSID", "DIRECTSHOW", "INTERFACE", "MEDIA TYPE",
                                          "MEDIAFOUNDATION"};

// `path` is `key` or lies below it (both upper-cased).
bool at_or_below(const std::string& path, const std::string& key) {
  return path == key || path.rfind(key + "\\", 0) == 0;
}

}  // namespace

bool opens_32bit_view(const Machine& machine, std::uint32_t access) {
  if (!machine.windows_is_64_bit) return false;
  return machine.program_is_64_bit ? (access & platform::kKeyWow6432Key) != 0
                                   : (access & platform::kKeyWow6464Key) == 0;
}

std::string path_in_32bit_view(const std::string& hklm_path) {
  const std::string upper = upper_ansi(hklm_path);
  if (!at_or_below(upper, "SOFTWARE")) return hklm_path;
  if (upper == "SOFTWARE") return hklm_path + "\\Wow6432Node";
  const std::string rest = hklm_path.substr(9);
  const std::string upper_rest = upper.substr(9);
  if (at_or_below(upper_rest, "WOW6432NODE")) return hklm_path;
  if (at_or_below(upper_rest, "CLASSES")) {
    if (upper_rest.size() <= 8) return hklm_path;
    const std::string below = upper_rest.substr(8);
    for (const char* key : kRedirectedClasses)
      if (at_or_below(below, key)) return "SOFTWARE\\Classes\\Wow6432Node\\" + rest.substr(8);
    return hklm_path;
  }
  for (const char* key : kShared)
    if (at_or_below(upper_rest, key)) return hklm_path;
  return "SOFTWARE\\Wow6432Node\\" + rest;
}

}  // namespace sim
