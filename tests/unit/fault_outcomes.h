// How a whole run ended, and which endings a failing call of each kind can cause.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sim/machine.h"
#include "suite_world.h"

namespace fault_outcomes {

enum class Outcome {
  Removed,        // status 0 (or the installer's 3010 or 1641), the package record is gone
  Kept,           // status 0, the record is still there: the run found no suite
  NotFound,       // 218: the suite is registered, but no registry view says where
  RemovalFailed,  // the installer's status or 1603: the record is, or may be, still there
  InstallerBusy,  // 1618 before anything was touched (the worlds' installers never answer it)
  RegistryBox,    // 217 after the box with ERegistryException
  FileOpenBox,    // 217 after the box with EFOpenError
  Unexplained,    // anything else: always a defect
  Count_
};
const char* outcome_name(Outcome outcome);

// The ending of the run that just went on the current machine, given its status; the
// suite's record is looked for where packages of `view` keep it.
Outcome classify(int status, sim::Machine& m, world::View view = world::View::Native);

// The error codes Windows gives for a failing call of this kind.
const std::vector<std::uint32_t>& codes_for(sim::Call call);

// Whether a failure of `call` with `code` may end the run this way (the fault-free
// ending of the machine is always possible as well: the fault may change nothing).
bool can_cause(sim::Call call, std::uint32_t code, Outcome outcome);

// The cleanup (file and shell-folder calls) may fail part way without an error.
bool is_cleanup_call(sim::Call call);
// A registry target the cleanup reads to know what it must keep (the profile list):
// failing there, the cleanup keeps its folders and shortcuts, again without an error.
bool is_cleanup_target(const std::string& target);

// The failure is the answer a missing key, value or entry gives ("not found", "no more
// items"): the run is that of a machine without it, not a failed call, so it may take
// a neighbour for what it looked for.
bool answers_absent(sim::Call call, std::uint32_t code);

// Whether a box's message (after "Class: ") is the one a failure of `call` with `code`
// raises: the system's text for a listing, the read-data message for a value, the
// file's path and the system's text for the bootstrap file.
bool message_fits(sim::Call call, std::uint32_t code, Outcome outcome, const std::string& message);

}  // namespace fault_outcomes
