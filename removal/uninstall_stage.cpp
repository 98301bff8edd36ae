#include "removal/uninstall_stage.h"

#include "fonction.h"
#include "platform/codepage.h"
#include "platform/launch_calls.h"
#include "platform/registry.h"
#include "records/installation_lookup.h"
#include "records/uninstall_search.h"
#include "removal/cleanup_stage.h"
#include "removal/installer_busy.h"
#include "run/run_sequence.h"

namespace {

const char* const SPATH_UNINSTALL = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char* const SPROCESS = "soffice.bin";
const char* const SADDON_PARAM = " /verysilent";
const char* const SADDONS[] = {"LibreOffice Extension", "Collabora Extension"};

// The Windows Installer tool, run with no verb, a normal window and no working folder.
bool run_installer(const std::string& parameters, std::uint32_t* exit_code = nullptr) {
  const std::string tool = INCLUDETRAILINGPATHDELIMITER(GETWINDOWSSYSTEMFOLDER()) + "Msiexec.exe";
  return SHELLEXECANDWAIT(tool, parameters, "", platform::kSwShowNormal, "", exit_code);
}

// Every "/i" (either letter case, found left to right) replaced by `replacement`;
// "" when there is none to replace.
std::string replace_install_switch(const std::string& text, const std::string& replacement) {
  const std::string upper = platform::ansi_upper(text);
  std::string result;
  std::size_t from = 0;
  for (std::size_t at; (at = upper.find("/I", from)) != std::string::npos; from = at + 2)
    result += text.substr(from, at - from) + replacement;
  return from == 0 ? std::string() : result + text.substr(from);
}

// The help pack's installer command line: its recorded command with each "/i" made a
// removal with the run's options. A command with no "/i" after its first blank
// ("/X{code}", or no blank at all) would start the tool without them, that is with
// its full interface or its usage box, which nobody can close in an unattended
// session: the record's key name, its product code, is removed instead.
std::string help_pack_parameters(const std::string& help_pack) {
  const std::string SUNINST_HELP = RECH_PROG(help_pack, "DisplayName", "UninstallString");
  const std::string removal = SPARAM + " /x";
  if (!SUNINST_HELP.empty()) {
    std::string parameters = replace_install_switch(STRAFTER(" ", SUNINST_HELP), removal);
    if (!parameters.empty()) return parameters;
  }
  const std::string code = RECUP_CLE(help_pack, "DisplayName", "DisplayName");
  return code.empty() ? std::string() : removal + code;
}

// The installer's statuses that deployment tools read as a success.
bool reads_as_success(std::uint32_t status) {
  return status == 0 || status == kRestartRequiredStatus || status == kRestartStartedStatus;
}

// Anything of the suite still registered after its package's removal: a record of the
// product key (a help pack the record search took for the suite, one whose removal
// failed) or the suite's own installation folder entry. Its folder must not go then.
bool suite_still_registered(const std::string& SVERSOOO) {
  return RECH_APPLICATION(SVERSOOO) || !RECH_DOSSIER_INSTALLATION().empty();
}

}  // namespace

bool SUPP_APPLICATION(const std::string& SNOM_APP, const std::string& SPARAM_ADDON) {
  const std::string SCHEMIN = RECH_PROG(SNOM_APP, "DisplayName", "UninstallString");
  if (SCHEMIN.empty()) return true;
  return SHELLEXECANDWAIT(SCHEMIN, SPARAM_ADDON, "", platform::kSwShowNormal, "");
}

int SUPP_LIBREOFFICE(const std::string& SCHEMOPEN, const std::string& SVERSOOO,
                     const std::string& SPRODUCTCODE) {
  const std::string SPATH_CLE = SPATH_UNINSTALL + SPRODUCTCODE;
  // Gone means what it means after the removal: the registry says the record does not
  // exist. One we cannot open (access denied, low memory) may still be installed.
  if (!CHERCHE_CLE_EXIST(SPATH_CLE))
    return Registry(platform::kHkeyLocalMachine).key_missing(SPATH_CLE) ? 0 : kRemovalFailedStatus;
  // The installer would refuse the removal with 1618 only after the suite's processes,
  // add-ons and help pack had gone; a deployment tool retrying then meets half a suite.
  if (another_installation_in_progress()) return kInstallerBusyStatus;

  if (PROCESSEXISTS(SPROCESS)) CLOSEPROCCESSUS(SPROCESS);

  for (const char* addon : SADDONS)
    if (RECH_APPLICATION(addon)) SUPP_APPLICATION(addon, SADDON_PARAM);

  const std::string help_pack = SVERSOOO + " Help Pack (French)";
  if (RECH_APPLICATION(help_pack)) {
    // Without a code (the record went in the meantime) the tool would show its usage box.
    const std::string parameters = help_pack_parameters(help_pack);
    if (!parameters.empty()) run_installer(parameters);
  }

  std::uint32_t exit_code = platform::kStillActive;
  if (!run_installer(SPARAM + " /x" + SPRODUCTCODE, &exit_code)) return kRemovalFailedStatus;
  // A package still recorded after the installer ran was not removed: the deployment
  // tool must hear of it, with the installer's own reason when it gave one, never with
  // a status it would take for a success.
  // Only an answer that the record does not exist means it is gone.
  if (!Registry(platform::kHkeyLocalMachine).key_missing(SPATH_CLE))
    return reads_as_success(exit_code) || exit_code == platform::kStillActive
               ? kRemovalFailedStatus
               : static_cast<int>(exit_code);
  if (suite_still_registered(SVERSOOO)) return kRemovalFailedStatus;
  NETTOIE_LIBREOFFICE(SCHEMOPEN, SVERSOOO);
  // The restart the installer asked for, or started, is the deployment tool's to plan.
  return exit_code == kRestartRequiredStatus || exit_code == kRestartStartedStatus
             ? static_cast<int>(exit_code)
             : 0;
}
