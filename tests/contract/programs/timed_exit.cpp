// Runs for a while, then exits with a chosen code: a stand-in for an uninstaller.
// Switches, in any order; anything else is ignored, as an uninstaller's own would be:
//   --exit=N     the exit code (default 0)
//   --ms=N       how long it runs, in milliseconds (default 300)
//   --log=PATH   appends its command line and a line break to PATH before exiting
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* value_of(const char* argument, const char* name) {
  const std::size_t length = std::strlen(name);
  return std::strncmp(argument, name, length) == 0 ? argument + length : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  unsigned long exit_code = 0;
  unsigned long milliseconds = 300;
  const char* log = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (const char* v = value_of(argv[i], "--exit=")) exit_code = std::strtoul(v, nullptr, 0);
    if (const char* v = value_of(argv[i], "--ms=")) milliseconds = std::strtoul(v, nullptr, 0);
    if (const char* v = value_of(argv[i], "--log=")) log = v;
  }
  Sleep(static_cast<DWORD>(milliseconds));
  if (log) {
    if (std::FILE* file = std::fopen(log, "ab")) {
      std::fprintf(file, "%s\r\n", GetCommandLineA());
      std::fclose(file);
    }
  }
  ExitProcess(static_cast<UINT>(exit_code));
}
