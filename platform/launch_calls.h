// Starting a program through the shell, waiting for it, and the thread's message pump.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace platform {

inline constexpr std::uint32_t kSeeMaskNoCloseProcess = 0x40;
inline constexpr std::uint32_t kSeeMaskFlagDdeWait = 0x100;
inline constexpr std::uint32_t kSeeMaskDoEnvSubst = 0x200;
inline constexpr std::uint32_t kSeeMaskFlagNoUi = 0x400;
inline constexpr std::uint32_t kSwShowNormal = 1;

inline constexpr std::uint32_t kInfinite = 0xFFFFFFFFu;
inline constexpr std::uint32_t kWaitObject0 = 0;
inline constexpr std::uint32_t kWaitTimeout = 258;
inline constexpr std::uint32_t kWaitFailed = 0xFFFFFFFFu;
inline constexpr std::uint32_t kPmRemove = 1;
inline constexpr std::uint32_t kStillActive = 259;

// SHELLEXECUTEINFOA's fields in their order; null text pointers stand for "none".
struct ShellExecuteInfo {
  std::uint32_t size = 0;
  std::uint32_t mask = 0;
  Handle window = kNullHandle;
  const char* verb = nullptr;
  const char* file = nullptr;
  const char* parameters = nullptr;
  const char* directory = nullptr;
  int show = 0;
  Handle instance = kNullHandle;  // out
  Handle process = kNullHandle;   // out, with kSeeMaskNoCloseProcess
};

// sizeof(SHELLEXECUTEINFOA) in this program: its cbSize (60 in a 32-bit program, 112 in a
// 64-bit one).
std::uint32_t shell_execute_info_size();

// ShellExecuteExA. On failure the process handle is null.
bool shell_execute_ex(ShellExecuteInfo& info);
// WaitForInputIdle.
std::uint32_t wait_for_input_idle(Handle process, std::uint32_t milliseconds);
// WaitForSingleObject.
std::uint32_t wait_for_single_object(Handle object, std::uint32_t milliseconds);
// GetExitCodeProcess.
bool get_exit_code_process(Handle process, std::uint32_t& exit_code);

// MSG's fields, so a dispatched message is the one peeked, unchanged.
struct Message {
  Handle window = kNullHandle;
  std::uint32_t message = 0;
  std::uintptr_t wparam = 0;
  std::intptr_t lparam = 0;
  std::uint32_t time = 0;
  std::int32_t point_x = 0;
  std::int32_t point_y = 0;
};
// PeekMessageA.
bool peek_message(Message& message, Handle window, std::uint32_t filter_min,
                  std::uint32_t filter_max, std::uint32_t remove);
// TranslateMessage and DispatchMessageA.
bool translate_message(const Message& message);
std::intptr_t dispatch_message(const Message& message);

}  // namespace platform
