// Removing the suite: its processes, add-ons, help pack and installer package.
#pragma once

#include <cstdint>
#include <string>

// The Windows Installer's statuses the run ends with. 1603 also stands for a package
// that survived an installer run that gave no failure of its own, or whose installer
// could not be started; 3010 and 1641 are successes that leave a restart to plan.
inline constexpr int kRemovalFailedStatus = 1603;    // ERROR_INSTALL_FAILURE
inline constexpr int kInstallerBusyStatus = 1618;    // ERROR_INSTALL_ALREADY_RUNNING
inline constexpr int kRestartStartedStatus = 1641;   // ERROR_SUCCESS_REBOOT_INITIATED
inline constexpr int kRestartRequiredStatus = 3010;  // ERROR_SUCCESS_REBOOT_REQUIRED

// Removes one add-on package by its recorded uninstall command; false only when the
// launch failed. SPARAM here is the add-on parameter text.
bool SUPP_APPLICATION(const std::string& SNOM_APP, const std::string& SPARAM);

// The stage. Answers the run's exit status: 0 when the package record was already
// gone; 1603 when the record cannot be opened at the start, 1618 when another
// installation is in progress (nothing done in either case); when the record is gone
// afterwards, the cleanup runs and the status is the installer's 3010 or 1641, else 0.
// Otherwise no cleanup, and the installer's own failure status, or 1603 when it gave
// none, gave one that reads as a success or could not be started, or when another
// package of the same product key is still recorded.
int SUPP_LIBREOFFICE(const std::string& SCHEMOPEN, const std::string& SVERSOOO,
                     const std::string& SPRODUCTCODE);
