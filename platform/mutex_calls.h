// Named mutexes (kernel32's OpenMutexA): how the run sees that another program holds one.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"

namespace platform {

inline constexpr std::uint32_t kSynchronize = 0x00100000;
inline constexpr std::uint32_t kMutexModifyState = 0x0001;  // the right to release it
inline constexpr std::uint32_t kWaitAbandoned = 0x80;       // WaitForSingleObject: its owner ended

// OpenMutexA: a handle to the existing mutex of that name, to be closed with
// CloseHandle; kNullHandle on failure, the last error 2 when no mutex has that name.
// Names compare with their letter case; "Global\" names the namespace of all sessions.
Handle open_mutex(std::uint32_t access, bool inherit, const std::string& name);
// ReleaseMutex: gives back a mutex this thread owns (a wait on it made it the owner).
bool release_mutex(Handle mutex);

}  // namespace platform
