// The tool-help process list and termination over the sim's processes.
#include "platform/process_calls.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/sim/machine.h"

namespace platform {

namespace {

// What Wine answers for an entry whose size field is wrong; Windows does not document it.
constexpr std::uint32_t kErrorInsufficientBuffer = 122;

using Kind = sim::Machine::HandleKind;

// The processes as they were when the snapshot was taken, and the walk's position.
struct Snapshot {
  std::vector<std::pair<std::uint32_t, std::string>> entries;
  std::size_t next = 0;
};

bool next_entry(Handle snapshot, ProcessEntry& entry, bool first, sim::Call call) {
  auto& m = sim::machine();
  if (auto code = m.check(call, "")) {
    m.last_error = *code;
    return false;
  }
  auto* walk = static_cast<Snapshot*>(m.handle_object(snapshot, Kind::Snapshot));
  if (!walk) {
    m.last_error = kErrorInvalidHandle;
    return false;
  }
  if (entry.size != process_entry_size()) {
    m.last_error = kErrorInsufficientBuffer;
    return false;
  }
  if (first) walk->next = 0;
  if (walk->next >= walk->entries.size()) {
    m.last_error = kErrorNoMoreFiles;
    return false;
  }
  const auto& [id, name] = walk->entries[walk->next++];
  entry.process_id = id;
  // szExeFile holds 260 characters: a longer name is cut and left without its NUL.
  std::memset(entry.exe_file, 0, kMaxPath);
  std::memcpy(entry.exe_file, name.data(), std::min<std::size_t>(name.size(), kMaxPath));
  return true;
}

}  // namespace

std::uint32_t process_entry_size() { return sim::machine().program_is_64_bit ? 304 : 296; }

Handle create_toolhelp_snapshot(std::uint32_t flags, std::uint32_t process_id) {
  (void)flags;
  (void)process_id;
  auto& m = sim::machine();
  if (auto code = m.check(sim::Call::CreateSnapshot, "")) {
    m.last_error = *code;
    return kInvalidHandle;
  }
  auto walk = std::make_shared<Snapshot>();
  for (const auto& process : m.processes)
    if (process.running) walk->entries.emplace_back(process.id, process.exe_file);
  return m.open_handle(Kind::Snapshot, walk);
}

bool process_first(Handle snapshot, ProcessEntry& entry) {
  return next_entry(snapshot, entry, true, sim::Call::ProcessFirst);
}

bool process_next(Handle snapshot, ProcessEntry& entry) {
  return next_entry(snapshot, entry, false, sim::Call::ProcessNext);
}

Handle open_process(std::uint32_t access, bool inherit, std::uint32_t process_id) {
  (void)access;
  (void)inherit;
  auto& m = sim::machine();
  sim::Process* process = m.find_process(process_id);
  if (auto code = m.check(sim::Call::OpenProcess, process ? process->exe_file : "")) {
    m.last_error = *code;
    return kNullHandle;
  }
  if (!process || !process->running) {
    m.last_error = kErrorInvalidParameter;  // what Windows answers for an unknown id
    return kNullHandle;
  }
  return m.open_process_handle(process_id);
}

bool terminate_process(Handle process, std::uint32_t exit_code) {
  auto& m = sim::machine();
  sim::Process* target = m.process_of(process);
  if (auto code = m.check(sim::Call::TerminateProcess, target ? target->exe_file : "")) {
    m.last_error = *code;
    return false;
  }
  if (!target) {
    m.last_error = kErrorInvalidHandle;
    return false;
  }
  // An ended process cannot be ended again: Windows answers access denied, too.
  if (!target->terminable || !target->running) {
    m.last_error = kErrorAccessDenied;
    return false;
  }
  target->running = false;
  target->exit_code = exit_code;
  target->finish = nullptr;  // ended before its effect ran
  return true;
}

}  // namespace platform
