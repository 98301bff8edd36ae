// The component library (ole32).
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace platform {

inline constexpr std::int32_t kRegdbEClassNotReg = static_cast<std::int32_t>(0x80040154u);
inline constexpr std::int32_t kCoEClassString = static_cast<std::int32_t>(0x800401F3u);

// CLSIDFromProgID's result code; the identifier itself is not needed by anyone.
std::int32_t clsid_from_prog_id(const WideString& prog_id);

}  // namespace platform
