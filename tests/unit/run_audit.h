// What a whole run did to a simulated machine, judged against what the run may take
// away: the suite's records, its own keys, soffice.bin, its shortcuts and two folders.
#pragma once

#include <string>
#include <vector>

#include "platform/sim/machine.h"
#include "suite_world.h"

namespace audit {

// What the run may remove. Paths as the sim writes them; compared without letter case.
struct Allowed {
  std::vector<std::string> registry_keys;  // "HKLM\..." trees (a key with its values and subkeys)
  std::vector<std::string> shortcuts;      // full file paths
  std::vector<std::string> files;          // full file paths the package's removal takes
  std::vector<std::string> folders;        // full folder paths, without a trailing "\"
  std::vector<std::string> processes;      // executable names that may be ended
  // The records ("HKLM\..." as stored) of the suite's packages and its family's: while
  // one is there, nothing of the cleanup may go.
  std::vector<std::string> packages;
};

// The suite of tests/unit/suite_world.h: package, help pack, family and add-on records,
// the packages' upgrade-code entries, the vendor, identifier and application keys, the
// shortcuts and the two folders; its HKLM keys where the packages of `view` keep them.
Allowed suite_allowed(world::View view = world::View::Native);
// The same suite installed in `real_folder` (ending with "\\"), a folder the run must
// keep: the package's own files may go with the package, the folder may not.
Allowed suite_allowed_keeping(const std::string& real_folder);

// The parts of a machine a run must not change beyond the allowed removals.
struct State {
  std::vector<std::string> registry, files, processes;
};
State take(const sim::Machine& m);

// Every change from `before` to the machine now that the allowed removals do not
// cover, one line each; empty when the run took away only what it may.
std::vector<std::string> unexpected_changes(const State& before, const sim::Machine& m,
                                            const Allowed& allowed);

// The run's cleanup reached everything it had to: no allowed shortcut or folder left,
// and each folder that was there went to the Recycle Bin.
bool cleanup_complete(const State& before, sim::Machine& m, const Allowed& allowed);
// Nothing at all changed: no program launched, no process ended, no key or file gone.
bool untouched(const State& before, const sim::Machine& m);
// The allowed packages whose records are still there.
std::vector<std::string> packages_left(sim::Machine& m, const Allowed& allowed);
// Nothing the cleanup removes (shortcuts, folders, Recycle Bin) was touched.
bool cleanup_untouched(const State& before, sim::Machine& m, const Allowed& allowed);

}  // namespace audit
