// The contract's programs as sim programs, shaped like the real ones.
#include <limits>

#include "platform/sim/machine.h"
#include "tests/contract/program_world.h"

namespace program_world {

const bool kUnderWine = false;

namespace {

const std::string kFolder = "C:\\quorvalis-programs\\";

}  // namespace

void begin() { sim::reset(); }

void end() {}

std::uint32_t start_sleeper(const std::string& name) {
  return sim::machine().add_process(name).id;
}

bool has_ended(std::uint32_t process_id) {
  const sim::Process* process = sim::machine().find_process(process_id);
  return !process || !process->running;
}

Launch sleeper_program() {
  sim::Program program;
  program.waits = std::numeric_limits<int>::max();  // until it is ended
  sim::machine().add_program(kFolder + "sleeper.exe", program);
  return {kFolder + "sleeper.exe", ""};
}

Launch timed_program(std::uint32_t exit_code, const std::string& name) {
  sim::Program program;
  program.console = true;
  program.waits = 30;
  program.exit_code = exit_code;
  sim::machine().add_program(kFolder + name, program);
  return {kFolder + name, "--exit=" + std::to_string(exit_code)};
}

bool folder_exists(const std::string& path) { return sim::machine().folder_exists(path); }

void post_thread_message(std::uint32_t message) { sim::machine().message_queue.push_back({message, 0}); }

}  // namespace program_world
