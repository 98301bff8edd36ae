// Named mutexes a contract case needs: on the host the sim's machine has them; under
// Wine this process creates them, owned by a thread of their own as another program's.
#pragma once

#include <string>

namespace mutex_world {

// True in the build whose cases run against Wine's implementation.
extern const bool kUnderWine;

// A clean start for one case (a fresh machine on the host), and its end: every mutex
// hold() took is released and closed.
void begin();
void end();

// The mutex of that name exists and someone else owns it, as the Windows Installer owns
// "Global\_MSIExecute" during a transaction.
void hold(const std::string& name);
// The mutex of that name exists and nobody owns it.
void exist(const std::string& name);

}  // namespace mutex_world
