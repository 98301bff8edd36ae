// The thread's last error and CloseHandle.
#include "platform/types.h"
#include "platform/win32/windows_gateway.h"

namespace platform {

std::uint32_t last_error() { return GetLastError(); }

void set_last_error(std::uint32_t code) { SetLastError(code); }

bool close_handle(Handle handle) { return CloseHandle(reinterpret_cast<HANDLE>(handle)) != FALSE; }

}  // namespace platform
