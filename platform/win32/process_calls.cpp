// The tool-help process list and termination: kernel32's ANSI calls.
#include "platform/process_calls.h"

#include <cstring>

#include "platform/win32/windows_gateway.h"

#include <tlhelp32.h>

namespace platform {

namespace {

// The record sizes callers hand over: the documented layout of each architecture.
static_assert(sizeof(PROCESSENTRY32) == (sizeof(void*) == 8 ? 304 : 296));
static_assert(sizeof(PROCESSENTRY32::szExeFile) == kMaxPath);

HANDLE native(Handle handle) { return reinterpret_cast<HANDLE>(handle); }
Handle ours(HANDLE handle) { return reinterpret_cast<Handle>(handle); }

// Process32First or Process32Next through a real PROCESSENTRY32.
template <typename Step>
bool step(Handle snapshot, ProcessEntry& entry, Step call) {
  if (entry.size != process_entry_size()) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);  // as Process32First answers a short dwSize
    return false;
  }
  PROCESSENTRY32 native_entry;
  std::memset(&native_entry, 0, sizeof native_entry);
  native_entry.dwSize = sizeof native_entry;
  if (!call(native(snapshot), &native_entry)) return false;
  entry.process_id = native_entry.th32ProcessID;
  std::memcpy(entry.exe_file, native_entry.szExeFile, kMaxPath);
  return true;
}

}  // namespace

std::uint32_t process_entry_size() { return sizeof(PROCESSENTRY32); }

Handle create_toolhelp_snapshot(std::uint32_t flags, std::uint32_t process_id) {
  return ours(CreateToolhelp32Snapshot(flags, process_id));
}

bool process_first(Handle snapshot, ProcessEntry& entry) {
  return step(snapshot, entry, Process32First);
}

bool process_next(Handle snapshot, ProcessEntry& entry) {
  return step(snapshot, entry, Process32Next);
}

Handle open_process(std::uint32_t access, bool inherit, std::uint32_t process_id) {
  return ours(OpenProcess(access, inherit ? TRUE : FALSE, process_id));
}

bool terminate_process(Handle process, std::uint32_t exit_code) {
  return TerminateProcess(native(process), exit_code) != FALSE;
}

}  // namespace platform
