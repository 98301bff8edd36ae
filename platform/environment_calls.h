// The process's environment variables.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// ExpandEnvironmentStringsA: "%NAME%" replaced by the variable's value (names without
// regard to case; an unknown one stays as written). Answers the size the result needs
// including its NUL; the result is in `destination` only when `size` was at least
// that (Windows asks for one more byte in the ANSI call); 0 on failure.
std::uint32_t expand_environment_strings(const std::string& source, char* destination,
                                         std::uint32_t size);

}  // namespace platform
