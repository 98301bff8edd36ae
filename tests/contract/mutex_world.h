// Named mutexes a contract case needs held by someone: on the host the sim's machine
// holds them; under Wine this process creates and owns them, as another program would.
#pragma once

#include <string>

namespace mutex_world {

// True in the build whose cases run against Wine's implementation.
extern const bool kUnderWine;

// A clean start for one case (a fresh machine on the host), and its end: every mutex
// hold() took is released and closed.
void begin();
void end();

// The mutex of that name exists and is owned, as the Windows Installer owns
// "Global\_MSIExecute" during a transaction.
void hold(const std::string& name);

}  // namespace mutex_world
