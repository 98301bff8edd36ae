// Finding running processes by executable name and ending them.
#include <cstring>

#include "fonction.h"
#include "platform/owners.h"
#include "platform/process_calls.h"
#include "text/ascii.h"

namespace {

// The entry's executable name, up to its first NUL (all 260 characters without one).
std::string exe_name(const platform::ProcessEntry& entry) {
  const void* nul = std::memchr(entry.exe_file, '\0', platform::kMaxPath);
  const auto length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - entry.exe_file)
                          : std::size_t{platform::kMaxPath};
  return std::string(entry.exe_file, length);
}

// The text after the last "\", "/" or ":".
std::string file_name_part(const std::string& name) {
  const std::size_t cut = name.find_last_of("\\/:");
  return cut == std::string::npos ? name : name.substr(cut + 1);
}

// Calls `visit` for every entry of a snapshot of all processes; a snapshot that
// cannot be taken gives an empty walk.
template <typename Visit>
void walk_processes(Visit visit) {
  const platform::UniqueSnapshot snapshot(
      platform::create_toolhelp_snapshot(platform::kTh32csSnapProcess, 0));
  if (!snapshot.valid()) return;
  platform::ProcessEntry entry;
  entry.size = platform::process_entry_size();
  for (bool more = platform::process_first(snapshot.get(), entry); more;
       more = platform::process_next(snapshot.get(), entry))
    visit(entry);
}

}  // namespace

bool PROCESSEXISTS(const std::string& EXEFILENAME) {
  const std::string wanted = ascii_upper(EXEFILENAME);
  bool found = false;
  walk_processes([&](const platform::ProcessEntry& entry) {
    const std::string name = exe_name(entry);
    if (ascii_upper(file_name_part(name)) == wanted || ascii_upper(name) == wanted) found = true;
  });
  return found;
}

int CLOSEPROCCESSUS(const std::string& PNAME) {
  const std::string wanted = ascii_upper(PNAME);
  int result = 0;
  walk_processes([&](const platform::ProcessEntry& entry) {
    if (ascii_upper(file_name_part(exe_name(entry))) != wanted) return;
    const platform::UniqueKernelHandle process(
        platform::open_process(platform::kProcessTerminate, false, entry.process_id));
    result = process.valid() && platform::terminate_process(process.get(), 0) ? 1 : 0;
  });
  return result;
}
