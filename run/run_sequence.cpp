#include "run/run_sequence.h"

#include <vector>

#include "platform/architecture.h"
#include "platform/registry.h"
#include "platform/registry_calls.h"
#include "records/installation_lookup.h"
#include "removal/uninstall_stage.h"
#include "run/detection.h"

std::string SPARAM;

namespace {

// Restores the program's own view when the run ends, error or not.
struct ViewScope {
  ~ViewScope() { platform::set_registry_view(0); }
};

// The program's own view first (no flag); on 64-bit Windows the other one after it.
std::vector<std::uint32_t> registry_views() {
  std::vector<std::uint32_t> views = {0};
  if (platform::program_is_64_bit()) {
    views.push_back(platform::kKeyWow6432Key);
  } else {
    // A system that cannot say is taken as 32-bit Windows, which has one view.
    bool wow64 = false;
    if (platform::is_wow64_process(wow64) && wow64) views.push_back(platform::kKeyWow6464Key);
  }
  return views;
}

// Deployment tools read 0 as success and 3010 and 1641 as success with a restart.
int severity(int status) {
  if (status == 0) return 0;
  return status == 3010 || status == 1641 ? 1 : 2;
}

}  // namespace

int RUN_SEQUENCE(const std::vector<std::string>& arguments) {
  SPARAM = "/passive /norestart";
  if (!arguments.empty() && arguments[0] == "/quiet") SPARAM = "/quiet /norestart";

  const ViewScope restore;
  bool detected = false;
  bool reached = false;
  int status = 0;
  for (const std::uint32_t view : registry_views()) {
    platform::set_registry_view(view);
    // After a pass removed the suite its identifiers are gone: the next pass ends here.
    if (!ISLIBREOFFICEINSTALL()) continue;
    detected = true;
    const Installation installation = RECH_INSTALLATION();
    if (installation.SCHEMOPEN.empty() || installation.SVERSOOO.empty() ||
        installation.SPRODUCTCODE.empty())
      continue;
    reached = true;
    const int pass_status = SUPP_LIBREOFFICE(installation.SCHEMOPEN, installation.SVERSOOO,
                                             installation.SPRODUCTCODE);
    // Two suites, one per view: a failure outweighs a restart, a restart a success.
    if (severity(pass_status) > severity(status)) status = pass_status;
  }
  // Registered, yet no view says where: nothing was removed, and that is no success.
  if (detected && !reached) return kSuiteNotFoundStatus;
  return status;
}
