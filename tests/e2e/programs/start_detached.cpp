// Starts a program, with its arguments as given, and returns at once (the new process is listed from then on). CreateProcessA runs any PE file whatever its
// name ends in, which `wine start` (ShellExecute, by extension) does not: soffice.bin.
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: start_detached PROGRAM [ARGUMENTS...]\n");
    return 2;
  }
  std::string command = std::string("\"") + argv[1] + "\"";
  for (int i = 2; i < argc; ++i) command += std::string(" ") + argv[i];
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(argv[1], command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS,
                      nullptr, nullptr, &startup, &process)) {
    std::fprintf(stderr, "CreateProcessA failed: %lu\n", GetLastError());
    return 1;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 0;
}
