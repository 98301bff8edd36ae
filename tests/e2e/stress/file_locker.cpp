// Holds a file open without sharing, as another program would, until told to let go.
// Usage: file_locker FILE READY_MARKER RELEASE_MARKER
// Creates READY_MARKER once the file is held; ends when RELEASE_MARKER appears (or after
// two minutes, so that a failed scenario never leaves it behind).
#include <windows.h>

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  HANDLE held = CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (held == INVALID_HANDLE_VALUE) return 3;
  HANDLE ready = CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (ready == INVALID_HANDLE_VALUE) return 4;
  CloseHandle(ready);
  for (int waited = 0; waited < 1200 && GetFileAttributesA(argv[3]) == INVALID_FILE_ATTRIBUTES; ++waited)
    Sleep(100);
  CloseHandle(held);
  return 0;
}
