// Programs a contract case starts and ends: the sim's programs and processes on the
// host, the small test programs (tests/contract/programs) under Wine, copied into a
// folder on C: because the build tree has no drive letter there.
#pragma once

#include <cstdint>
#include <string>

namespace program_world {

// True in the build whose cases run against Wine's implementation.
extern const bool kUnderWine;

// A clean start for one case (a fresh machine on the host), and its end: every
// process start_sleeper started that still runs is ended.
void begin();
void end();

// Starts the program that runs until it is ended, under the bare file name `name`
// ("soffice.bin", say), and answers its process id (0 when it could not start).
std::uint32_t start_sleeper(const std::string& name);
// Whether that process has ended; under Wine, given a few seconds to finish dying.
bool has_ended(std::uint32_t process_id);

// What to hand ShellExecuteExA: the file and the parameters.
struct Launch {
  std::string file, parameters;
};
// The sleeper as an .exe file (a windowless program without a console).
Launch sleeper_program();
// A console program that runs about 300 ms and exits with `exit_code`, as the
// executable `name` (cases that run side by side see each other's processes).
Launch timed_program(std::uint32_t exit_code, const std::string& name = "timed_exit.exe");

bool folder_exists(const std::string& path);

// Posts `message` to the calling thread's own queue (no window).
void post_thread_message(std::uint32_t message);

}  // namespace program_world
