// Stands in for an add-on's own uninstaller: it writes the command line it was given to
// "uninstall-command.txt" beside itself, then deletes every uninstall record whose
// UninstallString names it, as a real uninstaller deletes its own record: in either
// registry view, so that one program serves add-ons of both architectures.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char* const kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

std::string unquoted(std::string text) {
  std::string out;
  for (char c : text)
    if (c != '"') out += c;
  return out;
}

std::vector<std::string> records_naming(const std::string& self, REGSAM view) {
  std::vector<std::string> found;
  HKEY root;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | view, &root) != ERROR_SUCCESS)
    return found;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(root, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    char value[1024];
    DWORD size = sizeof value;
    DWORD type = 0;
    if (RegGetValueA(root, name, "UninstallString", RRF_RT_REG_SZ, &type, value, &size) ==
            ERROR_SUCCESS &&
        lstrcmpiA(unquoted(value).c_str(), self.c_str()) == 0)
      found.emplace_back(name);
  }
  RegCloseKey(root);
  return found;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char self[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  std::string log = self;
  log = log.substr(0, log.find_last_of('\\') + 1) + "uninstall-command.txt";
  std::FILE* out = std::fopen(log.c_str(), "wb");
  if (out == nullptr) return 1;
  std::fputs(GetCommandLineA(), out);
  std::fclose(out);

  // One view after the other: on 32-bit Windows both name the same records, gone by then.
  int status = 0;
  for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    for (const auto& record : records_naming(self, view)) {
      const std::string key = std::string(kUninstallKey) + "\\" + record;
      if (RegDeleteKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), view, 0) != ERROR_SUCCESS) status = 1;
    }
  }
  return status;
}
