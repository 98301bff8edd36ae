// The contract's held mutexes on the sim's machine.
#include "platform/sim/machine.h"
#include "tests/contract/mutex_world.h"

namespace mutex_world {

const bool kUnderWine = false;

void begin() { sim::reset(); }

void end() {}

void hold(const std::string& name) { sim::machine().add_mutex(name); }

}  // namespace mutex_world
