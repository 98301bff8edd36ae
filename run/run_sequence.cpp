#include "run/run_sequence.h"

#include "records/installation_lookup.h"
#include "removal/uninstall_stage.h"
#include "run/detection.h"

std::string SPARAM;

int RUN_SEQUENCE(const std::vector<std::string>& arguments) {
  SPARAM = "/passive /norestart";
  if (!arguments.empty() && arguments[0] == "/quiet") SPARAM = "/quiet /norestart";
  if (!ISLIBREOFFICEINSTALL()) return 0;
  const Installation installation = RECH_INSTALLATION();
  if (installation.SCHEMOPEN.empty() || installation.SVERSOOO.empty() ||
      installation.SPRODUCTCODE.empty())
    return 0;
  return SUPP_LIBREOFFICE(installation.SCHEMOPEN, installation.SVERSOOO, installation.SPRODUCTCODE);
}
