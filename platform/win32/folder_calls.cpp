// The system folder and the shell folders: kernel32, shell32 and the COM allocator.
#include "platform/folder_calls.h"

#include "platform/win32/windows_gateway.h"

#include <objbase.h>
#include <shlobj.h>

namespace platform {

std::uint32_t get_system_directory(char* buffer, std::uint32_t size) {
  return GetSystemDirectoryA(buffer, size);
}

std::int32_t sh_get_special_folder_location(Handle owner, int folder, Handle& item_list) {
  LPITEMIDLIST list = nullptr;
  const HRESULT result = SHGetSpecialFolderLocation(reinterpret_cast<HWND>(owner), folder, &list);
  item_list = reinterpret_cast<Handle>(list);
  return result;
}

bool sh_get_path_from_id_list(Handle item_list, char* path) {
  return SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(item_list), path) != FALSE;
}

void co_task_mem_free(Handle item_list) { CoTaskMemFree(reinterpret_cast<void*>(item_list)); }

}  // namespace platform
