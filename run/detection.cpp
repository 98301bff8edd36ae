#include "run/detection.h"

#include "fonction.h"
#include "platform/component.h"
#include "platform/registry.h"
#include "text/ascii.h"

namespace {
const char* const SPATH_APPID = "Appid\\{82154420-0FBF-11d4-8313-005004526AB4}";
const char16_t* const SPROGID = u"com.sun.star.ServiceManager.1";
}  // namespace

bool PROGIDEXISTS(const platform::WideString& PROGID) {
  return platform::clsid_from_prog_id(PROGID) >= 0;  // top bit clear: success
}

bool TESTLIBREOFFICE(const std::string& SLIBO) {
  Registry registry(platform::kHkeyClassesRoot, platform::kKeyRead);
  if (!registry.open_read_only(SPATH_APPID)) return false;
  const std::string SVALPARDEFAUT = registry.read_string("");
  return ascii_equal_ignoring_case(SVALPARDEFAUT.substr(0, SLIBO.size()), SLIBO);
}

bool ISLIBREOFFICEINSTALL() {
  if (!PROGIDEXISTS(SPROGID)) return false;
  return TESTLIBREOFFICE("LibreOffice") || TESTLIBREOFFICE("Collabora") ||
         TESTLIBREOFFICE("ZetaOffice");
}
