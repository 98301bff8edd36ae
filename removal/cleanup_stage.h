// Clearing what the package's removal leaves behind: desktop shortcuts, the
// installation folder and the Start-menu folder (these two into the Recycle Bin).
#pragma once

#include <string>

void NETTOIE_LIBREOFFICE(const std::string& SCHEMOPEN, const std::string& SVERSOOO);
