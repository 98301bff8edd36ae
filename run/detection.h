// Whether a suite of the family is installed at all.
#pragma once

#include <string>

// The application identifier's default value begins with SLIBO (ASCII letters
// compared without regard to case).
bool TESTLIBREOFFICE(const std::string& SLIBO);
// The automation server is registered and the application identifier names a
// LibreOffice, Collabora or ZetaOffice product.
bool ISLIBREOFFICEINSTALL();
