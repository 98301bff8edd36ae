// The file calls over kernel32, and the shell's file operation over shell32.
#include "platform/file_calls.h"

#include "platform/win32/windows_gateway.h"

#include <shellapi.h>

namespace platform {

namespace {

HANDLE handle_of(Handle handle) { return reinterpret_cast<HANDLE>(handle); }

FindData find_data(const WIN32_FIND_DATAA& found) {
  return {found.dwFileAttributes, found.cFileName};
}

// Closes the file on every way out of the read, keeping the read's last error.
class OpenFile {
 public:
  explicit OpenFile(HANDLE file) : file_(file) {}
  ~OpenFile() {
    if (file_ == INVALID_HANDLE_VALUE) return;
    const DWORD error = GetLastError();
    CloseHandle(file_);
    SetLastError(error);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  HANDLE get() const { return file_; }

 private:
  HANDLE file_;
};

}  // namespace

std::uint32_t get_file_attributes(const std::string& path) {
  return GetFileAttributesA(path.c_str());
}

bool set_file_attributes(const std::string& path, std::uint32_t attributes) {
  return SetFileAttributesA(path.c_str(), attributes) != FALSE;
}

bool delete_file(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

bool remove_directory(const std::string& path) { return RemoveDirectoryA(path.c_str()) != FALSE; }

std::uint32_t read_whole_file(const std::string& path, std::string& bytes) {
  bytes.clear();
  const OpenFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return GetLastError();
  char buffer[64 * 1024];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
      bytes.clear();
      return GetLastError();
    }
    if (read == 0) return ERROR_SUCCESS;
    bytes.append(buffer, read);
  }
}

Handle find_first_file(const std::string& pattern, FindData& data) {
  WIN32_FIND_DATAA found{};
  const HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return kInvalidHandle;
  data = find_data(found);
  return reinterpret_cast<Handle>(search);
}

bool find_next_file(Handle search, FindData& data) {
  WIN32_FIND_DATAA found{};
  if (!FindNextFileA(handle_of(search), &found)) return false;
  data = find_data(found);
  return true;
}

bool find_close(Handle search) { return FindClose(handle_of(search)) != FALSE; }

int sh_file_operation(FileOperation& operation) {
  // Two more NULs than the caller's list: a list that lacks its closing empty item
  // still ends inside the buffer.
  const std::string from = operation.from + std::string(2, '\0');
  SHFILEOPSTRUCTA shell{};
  shell.hwnd = reinterpret_cast<HWND>(operation.owner);
  shell.wFunc = operation.function;
  shell.pFrom = from.c_str();
  shell.fFlags = static_cast<FILEOP_FLAGS>(operation.flags);
  const int result = SHFileOperationA(&shell);
  operation.aborted = shell.fAnyOperationsAborted != FALSE;
  return result;
}

}  // namespace platform
