// Starting a program through the shell and waiting for its end, dispatching the
// thread's messages each time a 10 ms wait runs out.
#include <cstring>

#include "fonction.h"
#include "platform/launch_calls.h"
#include "platform/owners.h"

void RESETMEMORY(void* P, int SIZE) {
  if (SIZE > 0) std::memset(P, 0, static_cast<std::size_t>(SIZE));
}

const char* PCHARORNIL(const std::string& S) { return S.empty() ? nullptr : S.c_str(); }

bool SHELLEXECANDWAIT(const std::string& FILENAME, const std::string& PARAMETERS,
                      const std::string& VERB, int CMDSHOW, const std::string& DIRECTORY,
                      std::uint32_t* exit_code) {
  using namespace platform;
  ShellExecuteInfo info;
  RESETMEMORY(&info, sizeof info);
  info.size = shell_execute_info_size();
  info.mask = kSeeMaskNoCloseProcess | kSeeMaskFlagDdeWait | kSeeMaskDoEnvSubst | kSeeMaskFlagNoUi;
  info.window = kNullHandle;
  info.file = FILENAME.c_str();
  info.parameters = PCHARORNIL(PARAMETERS);
  info.verb = PCHARORNIL(VERB);
  info.directory = PCHARORNIL(DIRECTORY);
  info.show = CMDSHOW;
  if (exit_code) *exit_code = kStillActive;
  if (!shell_execute_ex(info)) return false;
  // The shell may carry out the request without a new process: nothing to wait for.
  if (info.process == kNullHandle) return true;
  const UniqueKernelHandle process(info.process);
  wait_for_input_idle(process.get(), kInfinite);
  while (wait_for_single_object(process.get(), 10) == kWaitTimeout) {
    Message message;
    while (peek_message(message, info.window, 0, 0, kPmRemove)) {
      translate_message(message);
      dispatch_message(message);
    }
  }
  if (exit_code && !get_exit_code_process(process.get(), *exit_code)) *exit_code = kStillActive;
  return true;
}
