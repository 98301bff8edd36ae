// The contract's held mutexes under Wine: created by this process and owned by its
// thread until the case ends. Opening one needs no other process: any handle to the
// same name answers alike.
#include "platform/win32/windows_gateway.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/contract/mutex_world.h"

namespace mutex_world {

const bool kUnderWine = true;

namespace {

std::vector<HANDLE> held;

}  // namespace

void begin() {}

void end() {
  for (HANDLE mutex : held) {
    ReleaseMutex(mutex);
    CloseHandle(mutex);
  }
  held.clear();
}

void hold(const std::string& name) {
  HANDLE mutex = CreateMutexA(nullptr, TRUE, name.c_str());
  if (!mutex)
    throw std::runtime_error("CreateMutexA " + name + ": " + std::to_string(GetLastError()));
  held.push_back(mutex);
}

}  // namespace mutex_world
