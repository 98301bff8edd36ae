// Launching over the sim's programs, the waits that are its clock, and the thread's
// message queue. A launched program is a process that ends after its time-outs.
#include "platform/launch_calls.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <stdexcept>

#include "platform/sim/installer_tool.h"
#include "platform/sim/machine.h"

namespace platform {

namespace {

// hInstApp answers: above 32 on success, an SE_ERR_ code on failure.
constexpr Handle kInstanceStarted = 42;
constexpr Handle kSeErrNoAssociation = 31;

std::optional<std::string> text_or_null(const char* text) {
  return text ? std::optional<std::string>(text) : std::nullopt;
}

std::string bare_name(const std::string& file) {
  const auto cut = file.find_last_of("\\/");
  return cut == std::string::npos ? file : file.substr(cut + 1);
}

bool refuse(ShellExecuteInfo& info, std::uint32_t code) {
  info.process = kNullHandle;
  // The SE_ERR_ codes for these match their Win32 error numbers.
  info.instance = code == 2 || code == 3 || code == 5 || code == 8 ? code : kSeErrNoAssociation;
  sim::machine().last_error = code;
  return false;
}

// Lets a launched program end: its effect runs once, then its exit code is set.
void run_to_end(sim::Machine& m, std::uint32_t id) {
  sim::Process* process = m.find_process(id);
  process->waits_left = 0;
  process->running = false;
  const auto ending = std::move(process->finish);
  process->finish = nullptr;
  const std::uint32_t code = ending();
  // The effect may have started processes, moving this one: look it up again.
  m.find_process(id)->exit_code = code;
}

}  // namespace

std::uint32_t shell_execute_info_size() { return sim::machine().program_is_64_bit ? 112 : 60; }

bool shell_execute_ex(ShellExecuteInfo& info) {
  auto& m = sim::machine();
  const std::string file = info.file ? info.file : "";
  if (auto code = m.check(sim::Call::ShellExecute, file)) return refuse(info, *code);

  sim::LaunchRecord launch;
  launch.file = file;
  launch.parameters = text_or_null(info.parameters);
  launch.verb = text_or_null(info.verb);
  launch.directory = text_or_null(info.directory);
  launch.show = info.show;
  launch.mask = info.mask;
  launch.size = info.size;  // not checked: Wine starts the program whatever cbSize says

  sim::Program program;
  std::function<std::uint32_t()> ending;
  if (const sim::Program* registered = m.find_program(file)) {
    program = *registered;
    ending = [&m, program, launch] {
      if (program.effect) program.effect(m, launch);
      return program.exit_code;
    };
  } else if (sim::is_installer_tool(m, file)) {
    program.waits = sim::kInstallerToolWaits;
    ending = [&m, parameters = launch.parameters.value_or("")] {
      return sim::run_installer_tool(m, parameters);
    };
  } else {
    return refuse(info, kErrorFileNotFound);
  }
  if (!program.starts) return refuse(info, program.start_error);
  m.launches.push_back(launch);
  info.instance = kInstanceStarted;
  info.process = kNullHandle;
  if (!program.gives_process) {
    ending();  // the shell carried it out without a process to wait for
    return true;
  }
  sim::Process& process = m.add_process(bare_name(file));
  process.waits_left = program.waits;
  process.finish = ending;
  process.console = program.console;
  process.exit_code = kStillActive;
  if (info.mask & kSeeMaskNoCloseProcess)
    info.process = m.open_process_handle(process.id);
  else
    run_to_end(m, process.id);  // nobody can wait for it: it has ended by the time anyone looks
  return true;
}

std::uint32_t wait_for_input_idle(Handle process, std::uint32_t milliseconds) {
  (void)milliseconds;
  auto& m = sim::machine();
  sim::Process* target = m.process_of(process);
  if (auto code = m.check(sim::Call::WaitForInputIdle, target ? target->exe_file : "")) {
    m.last_error = *code;
    return kWaitFailed;
  }
  if (!target) {
    m.last_error = kErrorInvalidHandle;
    return kWaitFailed;
  }
  if (target->console) return kWaitFailed;  // Wine leaves the last error as it was
  return 0;
}

namespace {

// A wait on a named mutex: it times out while another program owns the mutex, and
// otherwise makes this program its owner at once.
std::uint32_t wait_for_mutex(sim::Machine& m, const std::string& name, std::uint32_t milliseconds) {
  if (auto code = m.check(sim::Call::WaitForSingleObject, name)) {
    m.last_error = *code;
    return kWaitFailed;
  }
  sim::Machine::NamedMutex* mutex = m.find_mutex(name);
  if (!mutex) {
    m.last_error = kErrorInvalidHandle;
    return kWaitFailed;
  }
  if (mutex->owned_elsewhere) {
    if (milliseconds == kInfinite) throw std::logic_error("an endless wait for the mutex " + name);
    return kWaitTimeout;
  }
  ++mutex->owned_here;
  return kWaitObject0;
}

}  // namespace

std::uint32_t wait_for_single_object(Handle object, std::uint32_t milliseconds) {
  auto& m = sim::machine();
  if (const auto* name = static_cast<std::string*>(m.handle_object(object, sim::Machine::HandleKind::Mutex)))
    return wait_for_mutex(m, *name, milliseconds);
  sim::Process* target = m.process_of(object);
  if (auto code = m.check(sim::Call::WaitForSingleObject, target ? target->exe_file : "")) {
    m.last_error = *code;
    return kWaitFailed;
  }
  if (!target) {
    m.last_error = kErrorInvalidHandle;
    return kWaitFailed;
  }
  if (!target->running) return kWaitObject0;
  if (!target->finish && milliseconds == kInfinite)
    throw std::logic_error("an endless wait for " + target->exe_file + ", which runs until ended");
  if (milliseconds != kInfinite) {
    // The clock counts 10 ms steps: a longer wait spans several, a shorter one still one.
    const int steps = std::max(1, static_cast<int>(std::min(milliseconds / 10, 1u << 30)));
    if (!target->finish || target->waits_left >= steps) {
      if (target->finish) target->waits_left -= steps;
      m.waits_run_out += steps;
      return kWaitTimeout;
    }
    m.waits_run_out += target->waits_left;
  }
  run_to_end(m, target->id);
  return kWaitObject0;
}

bool get_exit_code_process(Handle process, std::uint32_t& exit_code) {
  auto& m = sim::machine();
  sim::Process* target = m.process_of(process);
  if (auto code = m.check(sim::Call::GetExitCodeProcess, target ? target->exe_file : "")) {
    m.last_error = *code;
    return false;
  }
  if (!target) {
    m.last_error = kErrorInvalidHandle;
    return false;
  }
  exit_code = target->running ? kStillActive : target->exit_code;
  return true;
}

bool peek_message(Message& message, Handle window, std::uint32_t filter_min,
                  std::uint32_t filter_max, std::uint32_t remove) {
  (void)window;
  auto& m = sim::machine();
  auto wanted = [&](const sim::QueuedMessage& queued) {
    if (queued.arrives_at_wait > m.waits_run_out) return false;
    return (filter_min == 0 && filter_max == 0) ||
           (queued.message >= filter_min && queued.message <= filter_max);
  };
  auto it = std::find_if(m.message_queue.begin(), m.message_queue.end(), wanted);
  if (it == m.message_queue.end()) return false;
  message = Message{};
  message.message = it->message;
  if (remove & kPmRemove) m.message_queue.erase(it);
  return true;
}

bool translate_message(const Message& message) {
  (void)message;
  return false;  // the sim's messages are no key strokes
}

std::intptr_t dispatch_message(const Message& message) {
  auto& m = sim::machine();
  m.dispatched.push_back({message.message, m.waits_run_out});
  return 0;
}

}  // namespace platform
