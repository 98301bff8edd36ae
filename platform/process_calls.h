// The process list and termination (kernel32's tool-help calls).
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace platform {

inline constexpr std::uint32_t kTh32csSnapProcess = 2;
inline constexpr std::uint32_t kProcessTerminate = 1;
inline constexpr std::uint32_t kMaxPath = 260;

// PROCESSENTRY32's fields that the walk reads. `exe_file` need not hold a NUL.
struct ProcessEntry {
  std::uint32_t size = 0;
  std::uint32_t process_id = 0;
  char exe_file[kMaxPath] = {};
};

// sizeof(PROCESSENTRY32) in this program: its dwSize (296 in a 32-bit program, 304 in a
// 64-bit one).
std::uint32_t process_entry_size();

// CreateToolhelp32Snapshot: kInvalidHandle on failure.
Handle create_toolhelp_snapshot(std::uint32_t flags, std::uint32_t process_id);
// Process32First / Process32Next: false at the end (last error 18) or when the
// entry's size field is not process_entry_size().
bool process_first(Handle snapshot, ProcessEntry& entry);
bool process_next(Handle snapshot, ProcessEntry& entry);
// OpenProcess: kNullHandle on failure.
Handle open_process(std::uint32_t access, bool inherit, std::uint32_t process_id);
// TerminateProcess.
bool terminate_process(Handle process, std::uint32_t exit_code);

}  // namespace platform
