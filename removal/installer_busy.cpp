#include "removal/installer_busy.h"

#include "platform/launch_calls.h"
#include "platform/mutex_calls.h"
#include "platform/owners.h"

namespace {

// In the namespace of all sessions: the installer's service runs in session 0.
const char* const SMUTEX_MSIEXECUTE = "Global\\_MSIExecute";

}  // namespace

bool another_installation_in_progress() {
  using namespace platform;
  const UniqueKernelHandle mutex(
      open_mutex(kSynchronize | kMutexModifyState, false, SMUTEX_MSIEXECUTE));
  // Access denied and the like mean the mutex is there: rather touch nothing.
  if (!mutex.valid()) return last_error() != kErrorFileNotFound;
  // The mutex outlives the transactions (the installer's service keeps it while it
  // runs): only its owner marks one. Taking it for a moment tells, and it is given
  // back at once; a wait that fails tells nothing, so nothing is touched.
  const std::uint32_t wait = wait_for_single_object(mutex.get(), 0);
  if (wait != kWaitObject0 && wait != kWaitAbandoned) return true;
  release_mutex(mutex.get());
  return false;
}
