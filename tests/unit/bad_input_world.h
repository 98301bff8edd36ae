// Writing the registry and files as a careless or hostile installer might: raw bytes,
// wide names outside the ANSI code page, and the expected ending of a run over them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/sim/machine.h"

namespace bad_input {

// UTF-16 LE bytes of `text`, with the terminating NUL when `nul`.
std::string utf16(const std::u16string& text, bool nul = true);
// A subkey named by wide text (any UTF-16) under an existing key.
sim::RegKeyNode& add_wide_key(sim::RegKeyNode& parent, const std::u16string& name);
void set_wide_value(sim::RegKeyNode& key, const std::u16string& name, std::uint32_t type,
                    std::string data);

// How the run over a bad input must end.
enum class Ending { Removed, Kept, Box };
struct Case {
  std::string name;
  std::function<void(sim::Machine&)> mutate;  // applied to the typical machine
  Ending ending = Ending::Removed;
  int status = 0;
  std::string message;  // the box's "Class: message" line, for Ending::Box
};

// Runs the case on the typical machine and reports every broken expectation through
// gtest: status, box, nothing but the suite's removed, every handle released.
void check(const Case& c);

}  // namespace bad_input
