// Runs a program, waits for it, and writes its exit status to a file: under Wine the
// Unix exit status keeps only the low 8 bits, and the installer's statuses (1603, 1605)
// need all of them.
// Usage: exit_status OUTFILE PROGRAM [ARGUMENTS...]
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string quoted_if_needed(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string quoted(1, '"');
  quoted += argument;
  quoted += '"';
  return quoted;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: exit_status OUTFILE PROGRAM [ARGUMENTS...]\n");
    return 2;
  }
  std::string command = quoted_if_needed(argv[2]);
  for (int i = 3; i < argc; ++i) {
    command += ' ';
    command += quoted_if_needed(argv[i]);
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(argv[2], command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "CreateProcessA failed: %lu\n", GetLastError());
    return 1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 0;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::FILE* out = std::fopen(argv[1], "w");
  if (out == nullptr) return 1;
  std::fprintf(out, "%lu\n", status);
  std::fclose(out);
  return 0;
}
