// Prints the Windows Installer's packed form of each code given, one a line, as the
// program computes it: the scenarios compare it with the keys Wine's installer writes.
// Usage: packed_code CODE...
#include <cstdio>

#include "text/installer_codes.h"

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) std::printf("%s\n", packed_installer_code(argv[i]).c_str());
  return 0;
}
