// The sim's Windows Installer tool: what "msiexec /x{code}" does to the machine.
#pragma once

#include <cstdint>
#include <string>

#include "platform/sim/machine.h"

namespace sim {

// HKLM path of the key that lists the products of an upgrade code, and a code's name
// there: the Windows Installer's packed form (groups reversed, then bytes swapped).
std::string upgrade_code_key(const std::string& upgrade_code);
std::string packed_code(const std::string& code);

// The launched file is the system folder's Msiexec.exe (letter case aside).
bool is_installer_tool(Machine& m, const std::string& file);
inline constexpr int kInstallerToolWaits = 1;
// The tool takes one 10 ms wait, then carries out "/x{code}" or "/x {code}" and answers msiexec's
// exit code.
std::uint32_t run_installer_tool(Machine& m, const std::string& parameters);

}  // namespace sim
