// The contract's mutexes on the sim's machine.
#include "platform/sim/machine.h"
#include "tests/contract/mutex_world.h"

namespace mutex_world {

const bool kUnderWine = false;

void begin() { sim::reset(); }

void end() {}

void hold(const std::string& name) { sim::machine().add_mutex(name, true); }

void exist(const std::string& name) { sim::machine().add_mutex(name, false); }

}  // namespace mutex_world
