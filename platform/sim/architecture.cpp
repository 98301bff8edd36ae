// The simulated program's architecture and the Windows it runs on.
#include "platform/architecture.h"

#include "platform/sim/machine.h"

namespace platform {

bool program_is_64_bit() { return sim::machine().program_is_64_bit; }

bool is_wow64_process(bool& wow64) {
  auto& m = sim::machine();
  if (auto code = m.check(sim::Call::IsWow64Process, "")) {
    m.last_error = *code;
    return false;
  }
  wow64 = m.windows_is_64_bit && !m.program_is_64_bit;
  return true;
}

}  // namespace platform
