// The contract's mutexes under Wine, made by this process: an owned one is created and
// owned by a thread of its own until the case ends (a wait from the test's thread must
// meet another owner, as it meets the installer's service), an unowned one is created
// and left alone. Opening one needs no other process: any handle to the name answers alike.
#include "platform/win32/windows_gateway.h"

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "tests/contract/mutex_world.h"

namespace mutex_world {

const bool kUnderWine = true;

namespace {

struct Owner {
  HANDLE release = nullptr;  // an event: set, the thread gives the mutex back and ends
  std::thread thread;
};

std::vector<Owner> owners;
std::vector<HANDLE> unowned;

}  // namespace

void begin() {}

void end() {
  for (Owner& owner : owners) {
    SetEvent(owner.release);
    owner.thread.join();
    CloseHandle(owner.release);
  }
  owners.clear();
  for (HANDLE mutex : unowned) CloseHandle(mutex);
  unowned.clear();
}

void hold(const std::string& name) {
  Owner owner;
  owner.release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  DWORD error = 0;
  owner.thread = std::thread([&error, ready, release = owner.release, name] {
    HANDLE mutex = CreateMutexA(nullptr, TRUE, name.c_str());
    if (!mutex) error = GetLastError();
    SetEvent(ready);
    if (!mutex) return;
    WaitForSingleObject(release, INFINITE);
    ReleaseMutex(mutex);
    CloseHandle(mutex);
  });
  WaitForSingleObject(ready, INFINITE);
  CloseHandle(ready);
  owners.push_back(std::move(owner));
  if (error != 0) throw std::runtime_error("CreateMutexA " + name + ": " + std::to_string(error));
}

void exist(const std::string& name) {
  HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
  if (!mutex)
    throw std::runtime_error("CreateMutexA " + name + ": " + std::to_string(GetLastError()));
  unowned.push_back(mutex);
}

}  // namespace mutex_world
