// Named mutexes over the sim's machine.
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
  if (!m.find_mutex(name)) {
    m.last_error = kErrorFileNotFound;
    return kNullHandle;
  }
  return m.open_handle(sim::Machine::HandleKind::Mutex, std::make_shared<std::string>(name));
}

bool release_mutex(Handle mutex) {
  auto& m = sim::machine();
  const auto* name = static_cast<std::string*>(m.handle_object(mutex, sim::Machine::HandleKind::Mutex));
  if (auto code = m.check(sim::Call::ReleaseMutex, name ? *name : "")) {
    m.last_error = *code;
    return false;
  }
  sim::Machine::NamedMutex* named = name ? m.find_mutex(*name) : nullptr;
  if (!named) {
    m.last_error = kErrorInvalidHandle;
    return false;
  }
  if (named->owned_here == 0) {
    m.last_error = kErrorNotOwner;
    return false;
  }
  --named->owned_here;
  return true;
}

}  // namespace platform
