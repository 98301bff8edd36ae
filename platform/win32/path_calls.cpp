// Opening an entry, its final name and the drive type, over kernel32.
#include "platform/path_calls.h"

#include "platform/win32/windows_gateway.h"

namespace platform {

Handle create_file(const std::string& path, std::uint32_t desired_access, std::uint32_t share_mode,
                   std::uint32_t creation_disposition, std::uint32_t flags_and_attributes) {
  return reinterpret_cast<Handle>(CreateFileA(path.c_str(), desired_access, share_mode, nullptr,
                                              creation_disposition, flags_and_attributes, nullptr));
}

std::uint32_t get_final_path_name_by_handle(Handle file, char* buffer, std::uint32_t size,
                                            std::uint32_t flags) {
  return GetFinalPathNameByHandleA(reinterpret_cast<HANDLE>(file), buffer, size, flags);
}

std::uint32_t get_drive_type(const std::string& root) { return GetDriveTypeA(root.c_str()); }

}  // namespace platform
