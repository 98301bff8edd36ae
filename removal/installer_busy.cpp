#include "removal/installer_busy.h"

#include "platform/mutex_calls.h"
#include "platform/owners.h"

namespace {

// In the namespace of all sessions: the installer's service runs in session 0.
const char* const SMUTEX_MSIEXECUTE = "Global\\_MSIExecute";

}  // namespace

bool another_installation_in_progress() {
  const platform::UniqueKernelHandle mutex(
      platform::open_mutex(platform::kSynchronize, false, SMUTEX_MSIEXECUTE));
  if (mutex.valid()) return true;
  // Access denied and the like mean the mutex is there: rather touch nothing.
  return platform::last_error() != platform::kErrorFileNotFound;
}
