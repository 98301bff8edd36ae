// The machines the fault matrix runs on: the typical one and a few variations of it.
#pragma once

#include <vector>

#include "platform/sim/machine.h"

namespace fault_worlds {

struct World {
  const char* name;
  void (*build)(sim::Machine& m);
};

// typical; several records (other vendors' products the installer also knows, and an
// older suite); the help pack found by its key; a locked bootstrap file; an installer
// that refuses the suite's removal; one that removes it and asks for a restart; one
// busy with another installation; one idle with its mutex unowned.
const std::vector<World>& worlds();

}  // namespace fault_worlds
