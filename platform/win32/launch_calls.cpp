// Starting a program through the shell, waiting for it, and the message pump.
#include "platform/launch_calls.h"

#include <cstring>

#include "platform/win32/windows_gateway.h"

#include <shellapi.h>

namespace platform {

namespace {

// The record size callers hand over: the documented layout of each architecture.
static_assert(sizeof(SHELLEXECUTEINFOA) == (sizeof(void*) == 8 ? 112 : 60));

HANDLE native(Handle handle) { return reinterpret_cast<HANDLE>(handle); }

MSG native_message(const Message& message) {
  MSG msg;
  std::memset(&msg, 0, sizeof msg);
  msg.hwnd = reinterpret_cast<HWND>(message.window);
  msg.message = message.message;
  msg.wParam = message.wparam;
  msg.lParam = message.lparam;
  msg.time = message.time;
  msg.pt.x = message.point_x;
  msg.pt.y = message.point_y;
  return msg;
}

}  // namespace

std::uint32_t shell_execute_info_size() { return sizeof(SHELLEXECUTEINFOA); }

bool shell_execute_ex(ShellExecuteInfo& info) {
  SHELLEXECUTEINFOA native_info;
  std::memset(&native_info, 0, sizeof native_info);
  native_info.cbSize = info.size;
  native_info.fMask = info.mask;
  native_info.hwnd = reinterpret_cast<HWND>(info.window);
  native_info.lpVerb = info.verb;
  native_info.lpFile = info.file;
  native_info.lpParameters = info.parameters;
  native_info.lpDirectory = info.directory;
  native_info.nShow = info.show;
  const bool started = ShellExecuteExA(&native_info) != FALSE;
  info.instance = reinterpret_cast<Handle>(native_info.hInstApp);
  info.process = started ? reinterpret_cast<Handle>(native_info.hProcess) : kNullHandle;
  return started;
}

std::uint32_t wait_for_input_idle(Handle process, std::uint32_t milliseconds) {
  return WaitForInputIdle(native(process), milliseconds);
}

std::uint32_t wait_for_single_object(Handle object, std::uint32_t milliseconds) {
  return WaitForSingleObject(native(object), milliseconds);
}

bool get_exit_code_process(Handle process, std::uint32_t& exit_code) {
  DWORD code = 0;
  if (!GetExitCodeProcess(native(process), &code)) return false;
  exit_code = code;
  return true;
}

bool peek_message(Message& message, Handle window, std::uint32_t filter_min,
                  std::uint32_t filter_max, std::uint32_t remove) {
  MSG msg;
  if (!PeekMessageA(&msg, reinterpret_cast<HWND>(window), filter_min, filter_max, remove))
    return false;
  message.window = reinterpret_cast<Handle>(msg.hwnd);
  message.message = msg.message;
  message.wparam = msg.wParam;
  message.lparam = msg.lParam;
  message.time = msg.time;
  message.point_x = msg.pt.x;
  message.point_y = msg.pt.y;
  return true;
}

bool translate_message(const Message& message) {
  const MSG msg = native_message(message);
  return TranslateMessage(&msg) != FALSE;
}

std::intptr_t dispatch_message(const Message& message) {
  const MSG msg = native_message(message);
  return DispatchMessageA(&msg);
}

}  // namespace platform
