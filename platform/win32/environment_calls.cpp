// The environment over kernel32.
#include "platform/environment_calls.h"

#include "platform/win32/windows_gateway.h"

namespace platform {

std::uint32_t expand_environment_strings(const std::string& source, char* destination,
                                         std::uint32_t size) {
  return ExpandEnvironmentStringsA(source.c_str(), destination, size);
}

}  // namespace platform
