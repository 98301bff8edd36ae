// The machines the fault matrix runs on: the typical one and a few variations of it.
#pragma once

#include <vector>

#include "platform/sim/machine.h"
#include "run_audit.h"

namespace fault_worlds {

struct World {
  const char* name;
  void (*build)(sim::Machine& m);
  audit::Allowed (*allowed)();  // what a run on it may take away
};

// typical; several records (other vendors' products the installer also knows, and an
// older suite); the help pack found by its key; a locked bootstrap file; an installer
// that refuses the suite's removal; and the suite recorded as installed in a folder
// the run must keep: the fonts folder, another user's profile, and that profile by
// the junction older Windows named it with.
const std::vector<World>& worlds();

}  // namespace fault_worlds
