// Files and folders: kernel32's file calls and shell32's file operation.
// Failures set the thread's last error as Windows does.
#pragma once

#include <cstdint>
#include <string>

#include "platform/types.h"

namespace platform {

inline constexpr std::uint32_t kInvalidFileAttributes = 0xFFFFFFFFu;
inline constexpr std::uint32_t kFileAttributeReadOnly = 0x1;
inline constexpr std::uint32_t kFileAttributeHidden = 0x2;
inline constexpr std::uint32_t kFileAttributeSystem = 0x4;
inline constexpr std::uint32_t kFileAttributeDirectory = 0x10;
inline constexpr std::uint32_t kFileAttributeArchive = 0x20;
inline constexpr std::uint32_t kFileAttributeNormal = 0x80;
inline constexpr std::uint32_t kFileAttributeReparsePoint = 0x400;

// GetFileAttributesA: kInvalidFileAttributes and the last error on failure.
std::uint32_t get_file_attributes(const std::string& path);
// SetFileAttributesA.
bool set_file_attributes(const std::string& path, std::uint32_t attributes);
// DeleteFileA.
bool delete_file(const std::string& path);
// RemoveDirectoryA: an empty folder, or a folder link itself (never its target).
bool remove_directory(const std::string& path);

// A file of that name exists (a folder is no file); a folder exists (a file is no
// folder). An invalid name (one holding "*", say) answers false like a missing one.
bool file_exists(const std::string& path);
bool folder_exists(const std::string& path);

// CreateFileA(GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING), then ReadFile to the end:
// 0 and the whole contents, or the error code of the open or the read.
std::uint32_t read_whole_file(const std::string& path, std::string& bytes);

// One entry of a folder listing (WIN32_FIND_DATAA's name and attributes).
struct FindData {
  std::uint32_t attributes = 0;
  std::string name;
};
// FindFirstFileA: kInvalidHandle and the last error on failure.
Handle find_first_file(const std::string& pattern, FindData& data);
// FindNextFileA: false with last error 18 when no entries are left.
bool find_next_file(Handle search, FindData& data);
// FindClose.
bool find_close(Handle search);

inline constexpr std::uint32_t kFoDelete = 3;
inline constexpr std::uint32_t kFofSilent = 0x4;
inline constexpr std::uint32_t kFofNoConfirmation = 0x10;
inline constexpr std::uint32_t kFofAllowUndo = 0x40;
inline constexpr std::uint32_t kFofFilesOnly = 0x80;
inline constexpr std::uint32_t kFofNoConfirmMkdir = 0x200;
inline constexpr std::uint32_t kFofNoErrorUi = 0x400;

// SHFILEOPSTRUCTA's fields that a delete uses. `from` is the NUL-separated list
// ending with an empty item, exactly as the shell reads it.
struct FileOperation {
  Handle owner = kNullHandle;
  std::uint32_t function = 0;
  std::string from;
  std::uint32_t flags = 0;
  bool aborted = false;  // fAnyOperationsAborted, out
};
// SHFileOperationA: 0 on success.
int sh_file_operation(FileOperation& operation);

}  // namespace platform
