// Prints the name of every process but itself, one a line, lower-cased and sorted,
// so two snapshots of a prefix compare as plain text.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

int main() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 1;
  std::vector<std::string> names;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  const DWORD self = GetCurrentProcessId();
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (entry.th32ProcessID == self) continue;
    std::string name = entry.szExeFile;
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    names.push_back(name);
  }
  CloseHandle(snapshot);
  std::sort(names.begin(), names.end());
  for (const auto& name : names) std::printf("%s\n", name.c_str());
  return 0;
}
