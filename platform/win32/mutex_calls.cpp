// Named mutexes over kernel32.
#include "platform/mutex_calls.h"

#include "platform/win32/windows_gateway.h"

namespace platform {

static_assert(kSynchronize == SYNCHRONIZE);

Handle open_mutex(std::uint32_t access, bool inherit, const std::string& name) {
  return reinterpret_cast<Handle>(OpenMutexA(access, inherit ? TRUE : FALSE, name.c_str()));
}

}  // namespace platform
