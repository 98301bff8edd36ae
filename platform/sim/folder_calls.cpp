// The system folder and the shell folders over the sim's settings; item lists are
// handles holding the folder's path.
#include "platform/folder_calls.h"

#include <cstring>
#include <memory>
#include <string>

#include "platform/process_calls.h"
#include "platform/sim/machine.h"

namespace platform {

namespace {

constexpr std::int32_t kEFail = static_cast<std::int32_t>(0x80004005u);

using Kind = sim::Machine::HandleKind;

// An injected Win32 code as an HRESULT; an HRESULT stays as it is.
std::int32_t as_hresult(std::uint32_t code) {
  if (code & 0x80000000u) return static_cast<std::int32_t>(code);
  return static_cast<std::int32_t>(0x80070000u | (code & 0xFFFFu));
}

}  // namespace

std::uint32_t get_system_directory(char* buffer, std::uint32_t size) {
  auto& m = sim::machine();
  if (auto code = m.check(sim::Call::GetSystemDirectory, "")) {
    m.last_error = *code;
    return 0;
  }
  const std::string& folder = m.system_directory;
  if (folder.empty()) {
    m.last_error = kErrorFileNotFound;
    return 0;
  }
  const auto length = static_cast<std::uint32_t>(folder.size());
  if (!buffer || size < length + 1) return length + 1;
  std::memcpy(buffer, folder.c_str(), length + 1);
  return length;
}

std::int32_t sh_get_special_folder_location(Handle owner, int folder, Handle& item_list) {
  (void)owner;
  auto& m = sim::machine();
  item_list = kNullHandle;
  if (auto code = m.check(sim::Call::ShGetSpecialFolderLocation, std::to_string(folder)))
    return as_hresult(*code);
  auto it = m.shell_folders.find(folder);
  if (it == m.shell_folders.end() || it->second.empty()) return kEFail;
  item_list = m.open_handle(Kind::ItemList, std::make_shared<std::string>(it->second));
  return 0;
}

bool sh_get_path_from_id_list(Handle item_list, char* path) {
  auto& m = sim::machine();
  auto* folder = static_cast<std::string*>(m.handle_object(item_list, Kind::ItemList));
  path[0] = '\0';
  if (auto code = m.check(sim::Call::ShGetPathFromIdList, folder ? *folder : "")) {
    m.last_error = *code;
    return false;
  }
  if (!folder || folder->size() >= kMaxPath) return false;
  std::memcpy(path, folder->c_str(), folder->size() + 1);
  return true;
}

void co_task_mem_free(Handle item_list) {
  if (item_list != kNullHandle) sim::machine().close(item_list, Kind::ItemList);
}

}  // namespace platform
