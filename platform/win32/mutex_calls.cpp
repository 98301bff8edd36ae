// Named mutexes over kernel32.
#include "platform/mutex_calls.h"

#include "platform/win32/windows_gateway.h"

namespace platform {

static_assert(kSynchronize == SYNCHRONIZE);
static_assert(kMutexModifyState == MUTEX_MODIFY_STATE);
static_assert(kWaitAbandoned == WAIT_ABANDONED);

Handle open_mutex(std::uint32_t access, bool inherit, const std::string& name) {
  return reinterpret_cast<Handle>(OpenMutexA(access, inherit ? TRUE : FALSE, name.c_str()));
}

bool release_mutex(Handle mutex) { return ReleaseMutex(reinterpret_cast<HANDLE>(mutex)) != FALSE; }

}  // namespace platform
