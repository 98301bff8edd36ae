// Shell folders and the system folder.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace platform {

inline constexpr int kCsidlStartup = 0x07;
inline constexpr int kCsidlCommonPrograms = 0x17;
inline constexpr int kCsidlCommonDesktopDirectory = 0x19;

// GetSystemDirectoryA: with a buffer too small (or none), the size needed including the
// NUL; otherwise the length copied without it; 0 on failure.
std::uint32_t get_system_directory(char* buffer, std::uint32_t size);
// SHGetSpecialFolderLocation: an HRESULT; the list is the caller's to free.
std::int32_t sh_get_special_folder_location(Handle owner, int folder, Handle& item_list);
// SHGetPathFromIDListA into a buffer of kMaxPath (260) characters.
bool sh_get_path_from_id_list(Handle item_list, char* path);
// CoTaskMemFree of an item list.
void co_task_mem_free(Handle item_list);

}  // namespace platform
