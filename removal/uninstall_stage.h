// Removing the suite: its processes, add-ons, help pack and installer package.
#pragma once

#include <cstdint>
#include <string>

// Exit status of a removal whose package survived an installer run that gave no
// failure code of its own, or whose installer could not be started.
inline constexpr int kRemovalFailedStatus = 1603;

// Removes one add-on package by its recorded uninstall command; false only when the
// launch failed. SPARAM here is the add-on parameter text.
bool SUPP_APPLICATION(const std::string& SNOM_APP, const std::string& SPARAM);

// The stage. Answers the run's exit status: 0 when the package record was already
// gone or is gone afterwards (the cleanup then ran); 1603 when the record cannot be
// opened at the start (nothing done then); otherwise the installer's own non-zero exit
// status, or 1603 when it gave none or could not be started, or when another package
// of the same product key is still recorded (no cleanup then).
int SUPP_LIBREOFFICE(const std::string& SCHEMOPEN, const std::string& SVERSOOO,
                     const std::string& SPRODUCTCODE);
