// The program's architecture and IsWow64Process.
#include "platform/architecture.h"

#include "platform/win32/windows_gateway.h"

namespace platform {

bool program_is_64_bit() { return sizeof(void*) == 8; }

bool is_wow64_process(bool& wow64) {
  BOOL answer = FALSE;
  if (!IsWow64Process(GetCurrentProcess(), &answer)) return false;
  wow64 = answer != FALSE;
  return true;
}

}  // namespace platform
