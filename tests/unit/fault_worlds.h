// The machines the fault matrix runs on: the typical one and a few variations of it.
#pragma once

#include <vector>

#include "platform/sim/machine.h"
#include "run_audit.h"
#include "suite_world.h"

namespace fault_worlds {

struct World {
  const char* name;
  void (*build)(sim::Machine& m);
  audit::Allowed (*allowed)();  // what a run on it may take away
  world::View view = world::View::Native;  // where the suite's packages keep their keys
};

// typical; several records (other vendors' products the installer also knows, and an
// older suite); the help pack found by its key; a locked bootstrap file; an installer
// that refuses the suite's removal; one that removes it and asks for a restart; one
// busy with another installation; one idle with its mutex unowned; on 64-bit Windows
// a 32-bit suite for the 32-bit and for the 64-bit program, and a 64-bit suite for the
// 32-bit program; the suite's whole family with another publisher's package named
// alike and an older version's vendor entry, natively and as a 32-bit suite for the
// 64-bit program; and the suite recorded as installed in a folder the run must keep:
// the fonts folder, another user's profile, and that profile by the junction older
// Windows named it with.
const std::vector<World>& worlds();

}  // namespace fault_worlds
