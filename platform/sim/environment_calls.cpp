// The environment over the sim's variables.
#include "platform/environment_calls.h"

#include <cstring>

#include "platform/sim/machine.h"

namespace platform {

std::uint32_t expand_environment_strings(const std::string& source, char* destination,
                                         std::uint32_t size) {
  auto& m = sim::machine();
  if (auto code = m.check(sim::Call::ExpandEnvironmentStrings, source)) {
    m.last_error = *code;
    return 0;
  }
  std::string result;
  std::size_t at = 0;
  while (at < source.size()) {
    const std::size_t open = source.find('%', at);
    const std::size_t close = open == std::string::npos ? open : source.find('%', open + 1);
    if (close == std::string::npos) {
      result += source.substr(at);
      break;
    }
    result += source.substr(at, open - at);
    const auto value = m.environment.find(sim::upper_ansi(source.substr(open + 1, close - open - 1)));
    if (close > open + 1 && value != m.environment.end()) {
      result += value->second;
      at = close + 1;
    } else {
      // Not a variable: the "%" stays, and the one that closed it may open the next.
      result += '%';
      at = open + 1;
    }
  }
  const auto needed = static_cast<std::uint32_t>(result.size() + 1);
  if (destination && size >= needed) std::memcpy(destination, result.c_str(), needed);
  return needed;
}

}  // namespace platform
