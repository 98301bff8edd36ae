// Stands in for the Windows Installer in the middle of a transaction: it creates and
// owns the named mutex given as its argument until something ends it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR command_line, int) {
  if (!CreateMutexA(nullptr, TRUE, command_line)) return 1;
  Sleep(INFINITE);
  return 0;
}
