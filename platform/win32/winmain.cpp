// The program's entry on Windows: the C runtime has already split the command line.
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/windows_gateway.h"
#include "run/run_sequence.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::vector<std::string> arguments;
  for (int i = 1; i < __argc; ++i) arguments.emplace_back(__argv[i]);
  return quorvalis_main(arguments);
}
