// The thread's last error and CloseHandle over the sim's handle table.
#include "platform/sim/machine.h"

namespace platform {

std::uint32_t last_error() { return sim::machine().last_error; }

void set_last_error(std::uint32_t code) { sim::machine().last_error = code; }

bool close_handle(Handle handle) {
  auto& m = sim::machine();
  using Kind = sim::Machine::HandleKind;
  if (m.close(handle, Kind::Snapshot) || m.close(handle, Kind::Process) ||
      m.close(handle, Kind::File) || m.close(handle, Kind::Mutex))
    return true;
  m.last_error = kErrorInvalidHandle;
  return false;
}

}  // namespace platform
