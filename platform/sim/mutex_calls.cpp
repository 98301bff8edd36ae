// Named mutexes over the sim's machine: the names some program holds.
#include "platform/mutex_calls.h"

#include <memory>

#include "platform/sim/machine.h"

namespace platform {

Handle open_mutex(std::uint32_t access, bool inherit, const std::string& name) {
  (void)access;
  (void)inherit;
  auto& m = sim::machine();
  if (auto code = m.check(sim::Call::OpenMutex, name)) {
    m.last_error = *code;
    return kNullHandle;
  }
  if (!m.holds_mutex(name)) {
    m.last_error = kErrorFileNotFound;
    return kNullHandle;
  }
  return m.open_handle(sim::Machine::HandleKind::Mutex, std::make_shared<std::string>(name));
}

}  // namespace platform
