// A machine whose folders go by many names, a model of what it must never lose, and a
// generator of spellings of its folders: the ground for the generated test of the
// cleanup's guards (tests/unit/folder_guard_property_test.cpp) and for its fuzzer
// (fuzz/fuzz_folder_guard.cpp).
//
// The model judges the entry a path leads to, as the sim resolves it, never the
// path's text: a path is dangerous when deleting it with undo would take anything in
// the Windows folder or a profile, a protected folder or a folder above one, a drive
// root, or anything without a Recycle Bin (through a share, on a removable or network
// drive). The guards decide from the text and the system's final path instead.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/sim/machine.h"

namespace guard_world {

// Builds the machine on `m`: Windows with fonts, the profile list with its profiles
// (one listed by its old name), the junction "C:\Documents and Settings", short
// names, substituted drives S: (C:\Windows) and P: (C:\Program Files), the share
// "Data" (C:\Users), removable E: (also mounted as C:\Mounted), network Z:, a second
// fixed drive D:, and ordinary folders a suite may live in.
void build(sim::Machine& m);

// Every folder of the machine a spelling may aim at, as stored (drive roots included).
const std::vector<std::string>& folders();

// Whether the shell deleting `path` with undo on the current machine would take
// anything it must not; a path that leads nowhere takes nothing.
bool dangerous(sim::Machine& m, const std::string& path);

// A number below `bound`, from whatever drives the generator.
using Choose = std::function<unsigned(unsigned bound)>;

// A spelling of `folder` (one of folders()): letter case, short names, the junction,
// the substituted drives, the mounted drive, the share, "." and ".." steps, trailing
// dots and blanks, doubled and forward separators, "\\?\", "\\.\" and "//?/"
// prefixes, UNC paths to this machine by name or address, rooted, drive-relative and
// relative forms, a trailing separator. Some spellings lead elsewhere or nowhere, as
// they would on Windows; the model judges where they lead.
std::string spelling(const std::string& folder, const Choose& choose);

}  // namespace guard_world
