// What the system says about a path: the entry it opens, that entry's final name,
// and the kind of drive a root is. Failures set the thread's last error as Windows does.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"

namespace platform {

inline constexpr std::uint32_t kFileReadAttributes = 0x80;  // FILE_READ_ATTRIBUTES
inline constexpr std::uint32_t kFileShareRead = 0x1;
inline constexpr std::uint32_t kFileShareWrite = 0x2;
inline constexpr std::uint32_t kFileShareDelete = 0x4;
inline constexpr std::uint32_t kOpenExisting = 3;
// Opens a folder as well as a file (without it a folder answers 5).
inline constexpr std::uint32_t kFileFlagBackupSemantics = 0x02000000;
// Opens a link itself instead of what it points at.
inline constexpr std::uint32_t kFileFlagOpenReparsePoint = 0x00200000;

// CreateFileA without security attributes or template: kInvalidHandle and the last
// error on failure; the handle is closed with close_handle.
Handle create_file(const std::string& path, std::uint32_t desired_access, std::uint32_t share_mode,
                   std::uint32_t creation_disposition, std::uint32_t flags_and_attributes);

inline constexpr std::uint32_t kFileNameNormalized = 0x0;
inline constexpr std::uint32_t kVolumeNameDos = 0x0;

// GetFinalPathNameByHandleA: the length copied without the NUL; with a buffer too
// small, the size needed including it (nothing usable in the buffer); 0 on failure. The name
// comes as "\\?\C:\..." or "\\?\UNC\server\share\..." for VOLUME_NAME_DOS.
std::uint32_t get_final_path_name_by_handle(Handle file, char* buffer, std::uint32_t size,
                                            std::uint32_t flags);

inline constexpr std::uint32_t kDriveUnknown = 0;
inline constexpr std::uint32_t kDriveNoRootDir = 1;
inline constexpr std::uint32_t kDriveRemovable = 2;
inline constexpr std::uint32_t kDriveFixed = 3;
inline constexpr std::uint32_t kDriveRemote = 4;
inline constexpr std::uint32_t kDriveCdrom = 5;
inline constexpr std::uint32_t kDriveRamdisk = 6;

// GetDriveTypeA of a root such as "C:\" (the trailing separator is required).
std::uint32_t get_drive_type(const std::string& root);

}  // namespace platform
