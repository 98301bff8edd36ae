// The contract's programs under Wine: the test programs built next to this executable,
// copied to a folder of the case's own on C: (the build tree is reachable only by a
// \\?\unix\ path, which started programs cannot use as their working folder). Cases
// that run side by side share the prefix, so each picks process names of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "tests/contract/program_world.h"

namespace program_world {

const bool kUnderWine = true;

namespace {

std::vector<PROCESS_INFORMATION> sleepers;

// This executable's folder, usable by the file calls.
std::string own_folder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.erase(folder.find_last_of('\\'));
  // Wine names a file outside every drive "unix\..." here, without the "\\?\" it needs.
  if (folder.rfind("unix\\", 0) == 0) folder = "\\\\?\\" + folder;
  return folder;
}

std::vector<std::string> copies;

// %TEMP%\quorvalis-programs\<case>
std::string programs_folder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  return std::string(temp) + "quorvalis-programs\\" + test->test_suite_name() + "." + test->name();
}

// The test program `name` copied as `copy_name` into the case's programs folder.
std::string copied(const std::string& name, const std::string& copy_name) {
  const std::string folder = programs_folder();
  CreateDirectoryA(folder.substr(0, folder.find_last_of('\\')).c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string source = own_folder() + "\\" + name;
  const std::string target = folder + "\\" + copy_name;
  if (!CopyFileA(source.c_str(), target.c_str(), FALSE))
    throw std::runtime_error("cannot copy " + source + " to " + target + ": " +
                             std::to_string(GetLastError()));
  copies.push_back(target);
  return target;
}

}  // namespace

void begin() {
  SetCurrentDirectoryA("C:\\");
}

void end() {
  for (auto& started : sleepers) {
    TerminateProcess(started.hProcess, 1);
    WaitForSingleObject(started.hProcess, 10000);
    CloseHandle(started.hProcess);
    CloseHandle(started.hThread);
  }
  sleepers.clear();
  for (const auto& copy : copies) DeleteFileA(copy.c_str());
  copies.clear();
  RemoveDirectoryA(programs_folder().c_str());
}

std::uint32_t start_sleeper(const std::string& name) {
  // CreateProcessA goes by the file's contents, so any name works. Wine 8.0's
  // ShellExecuteExA also starts "soffice.bin"; Windows' looks up the extension instead.
  const std::string file = copied("sleeper.exe", name);
  std::string command = "\"" + file + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessA(file.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, programs_folder().c_str(), &startup, &started))
    return 0;
  sleepers.push_back(started);
  return started.dwProcessId;
}

bool has_ended(std::uint32_t process_id) {
  for (const auto& started : sleepers)
    if (started.dwProcessId == process_id)
      return WaitForSingleObject(started.hProcess, 10000) == WAIT_OBJECT_0;
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, process_id);
  if (!process) return true;
  const bool ended = WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

Launch sleeper_program() { return {copied("sleeper.exe", "sleeper.exe"), ""}; }

Launch timed_program(std::uint32_t exit_code, const std::string& name) {
  return {copied("timed_exit.exe", name), "--exit=" + std::to_string(exit_code)};
}

bool folder_exists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void post_thread_message(std::uint32_t message) {
  // A thread has a message queue only once it has called into user32.
  MSG probe;
  PeekMessageA(&probe, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
  if (!PostThreadMessageA(GetCurrentThreadId(), message, 0, 0))
    throw std::runtime_error("PostThreadMessageA failed");
}

}  // namespace program_world
