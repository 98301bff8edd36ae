// Which program this is and which Windows it runs on: the two facts that decide how
// many registry views the run has to look through.
#pragma once

namespace platform {

// This program is a 64-bit one (it then runs on 64-bit Windows).
bool program_is_64_bit();
// IsWow64Process of the current process: `wow64` is true for a 32-bit program on 64-bit
// Windows. False when the system could not answer; `wow64` is then unchanged.
bool is_wow64_process(bool& wow64);

}  // namespace platform
