// The file world over the Wine prefix's C: drive, set up with kernel32 directly, and
// Wine's freedesktop trash under XDG_DATA_HOME, reached through its "\\?\unix" paths.
#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/contract/file_world.h"

namespace file_world {

const bool kUnderWine = true;

namespace {

std::string case_name() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  return std::string(test->test_suite_name()) + "_" + test->name();
}

void check(bool ok, const char* what, const std::string& path) {
  if (!ok)
    throw std::runtime_error(std::string(what) + " " + path + ": " +
                             std::to_string(GetLastError()));
}

std::string lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

template <typename Visit>
void for_each_entry(const std::string& folder, Visit visit) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  std::vector<WIN32_FIND_DATAA> all;
  do {
    if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0)
      all.push_back(found);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  for (const auto& entry : all) visit(entry);
}

bool is_plain_folder(DWORD attributes) {
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Takes a tree away, links as links; what is missing already is no error.
void remove_tree(const std::string& folder) {
  for_each_entry(folder, [&](const WIN32_FIND_DATAA& entry) {
    const std::string child = folder + "\\" + entry.cFileName;
    SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (is_plain_folder(entry.dwFileAttributes)) {
      remove_tree(child);
    } else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      RemoveDirectoryA(child.c_str());
    } else {
      DeleteFileA(child.c_str());
    }
  });
  SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(folder.c_str());
}

void collect(const std::string& folder, const std::string& prefix, std::vector<std::string>& out) {
  for_each_entry(folder, [&](const WIN32_FIND_DATAA& entry) {
    const std::string name = prefix + entry.cFileName;
    const bool is_folder = entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
    out.push_back(is_folder ? name + "\\" : name);
    if (is_plain_folder(entry.dwFileAttributes))
      collect(folder + "\\" + entry.cFileName, name + "\\", out);
  });
}

// The trash root as a Windows path: "\\?\unix" and the Unix path of $XDG_DATA_HOME/Trash.
std::string trash_root() {
  char buffer[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("XDG_DATA_HOME", buffer, sizeof buffer);
  std::string unix_path = length > 0 && length < sizeof buffer ? buffer : "";
  if (unix_path.empty()) {
    GetEnvironmentVariableA("HOME", buffer, sizeof buffer);
    unix_path = std::string(buffer) + "/.local/share";
  }
  std::string path = "\\\\?\\unix" + unix_path + "/Trash";
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

std::string read_text(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text(4096, '\0');
  DWORD read = 0;
  ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
  CloseHandle(file);
  text.resize(read);
  return text;
}

// The trash's items (names in Trash\files) whose recorded origin ends with `suffix`
// (a lower-case Unix path such as "c:/quorvalis-contract/case/x").
std::vector<std::string> trashed(const std::string& suffix, bool below) {
  std::vector<std::string> names;
  const std::string info = trash_root() + "\\info";
  for_each_entry(info, [&](const WIN32_FIND_DATAA& entry) {
    const std::string file = entry.cFileName;
    const std::string extension = ".trashinfo";
    if (file.size() <= extension.size() || file.substr(file.size() - extension.size()) != extension)
      return;
    const std::string text = read_text(info + "\\" + file);
    const std::size_t at = text.find("Path=");
    if (at == std::string::npos) return;
    std::string origin = lower(text.substr(at + 5, text.find('\n', at) - at - 5));
    while (!origin.empty() && (origin.back() == '\r' || origin.back() == ' ')) origin.pop_back();
    const bool match =
        below ? origin.find(suffix) != std::string::npos
              : origin.size() >= suffix.size() &&
                    origin.compare(origin.size() - suffix.size(), suffix.size(), suffix) == 0;
    if (match) names.push_back(file.substr(0, file.size() - extension.size()));
  });
  return names;
}

std::string unix_suffix(const std::string& windows_path) {
  std::string suffix = lower(windows_path);
  std::replace(suffix.begin(), suffix.end(), '\\', '/');
  return suffix;
}

// Forgets whatever earlier runs of this case left in the trash.
void purge_trash(const std::string& root) {
  const std::string trash = trash_root();
  for (const auto& name : trashed(unix_suffix(root) + "/", true)) {
    const std::string item = trash + "\\files\\" + name;
    const DWORD attributes = GetFileAttributesA(item.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && is_plain_folder(attributes)) {
      remove_tree(item);
    } else {
      DeleteFileA(item.c_str());
    }
    DeleteFileA((trash + "\\info\\" + name + ".trashinfo").c_str());
  }
}

}  // namespace

std::string unused_drive_root() {
  const DWORD used = GetLogicalDrives();
  for (char letter = 'Z'; letter >= 'D'; --letter)
    if ((used & (1u << (letter - 'A'))) == 0) return std::string(1, letter) + ":\\";
  throw std::runtime_error("every drive letter is taken");
}

void set_environment(const std::string& name, const std::string& value) {
  check(SetEnvironmentVariableA(name.c_str(), value.c_str()) != FALSE, "SetEnvironmentVariableA",
        name);
}

World::World() : root_("C:\\quorvalis-contract\\" + case_name()) {
  remove_tree(root_);
  purge_trash(root_);
  CreateDirectoryA("C:\\quorvalis-contract", nullptr);
  check(CreateDirectoryA(root_.c_str(), nullptr), "CreateDirectoryA", root_);
  check(SetCurrentDirectoryA("C:\\"), "SetCurrentDirectoryA", "C:\\");
}

World::~World() {
  unlock();
  remove_tree(root_);
  purge_trash(root_);
}

void World::add_folder(const std::string& relative) {
  std::string partial;
  for (std::size_t at = 0; at != std::string::npos;) {
    const std::size_t next = relative.find('\\', at);
    partial = relative.substr(0, next);
    CreateDirectoryA(path(partial).c_str(), nullptr);
    at = next == std::string::npos ? next : next + 1;
  }
  check(GetFileAttributesA(path(relative).c_str()) != INVALID_FILE_ATTRIBUTES, "CreateDirectoryA",
        path(relative));
}

void World::add_file(const std::string& relative, const std::string& content) {
  const std::size_t cut = relative.find_last_of('\\');
  if (cut != std::string::npos) add_folder(relative.substr(0, cut));
  HANDLE file = CreateFileA(path(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  check(file != INVALID_HANDLE_VALUE, "CreateFileA", path(relative));
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
  check(ok && written == content.size(), "WriteFile", path(relative));
}

void World::set_attributes(const std::string& relative, std::uint32_t attributes) {
  check(SetFileAttributesA(path(relative).c_str(), attributes), "SetFileAttributesA",
        path(relative));
}

void World::lock(const std::string& relative) {
  unlock();
  HANDLE file = CreateFileA(path(relative).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  check(file != INVALID_HANDLE_VALUE, "CreateFileA", path(relative));
  lock_ = reinterpret_cast<std::uintptr_t>(file);
}

void World::unlock() {
  if (lock_) CloseHandle(reinterpret_cast<HANDLE>(lock_));
  lock_ = 0;
}

bool World::add_folder_link(const std::string& relative, const std::string& target_relative) {
  add_folder(relative);
  HANDLE folder = CreateFileA(path(relative).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  check(folder != INVALID_HANDLE_VALUE, "CreateFileA", path(relative));
  // A mount-point reparse buffer: tag, sizes, then the NT name and the print name.
  const std::string target = path(target_relative);
  const std::wstring nt_name = L"\\??\\" + std::wstring(target.begin(), target.end());
  const std::wstring print_name(target.begin(), target.end());
  const auto nt_bytes = static_cast<WORD>(nt_name.size() * 2);
  const auto print_bytes = static_cast<WORD>(print_name.size() * 2);
  const auto data_length = static_cast<WORD>(8 + nt_bytes + 2 + print_bytes + 2);
  std::vector<unsigned char> buffer(8 + data_length, 0);
  auto put16 = [&](std::size_t at, WORD value) { std::memcpy(&buffer[at], &value, 2); };
  const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
  std::memcpy(&buffer[0], &tag, 4);
  put16(4, data_length);
  put16(8, 0);
  put16(10, nt_bytes);
  put16(12, static_cast<WORD>(nt_bytes + 2));
  put16(14, print_bytes);
  std::memcpy(&buffer[16], nt_name.data(), nt_bytes);
  std::memcpy(&buffer[16 + nt_bytes + 2], print_name.data(), print_bytes);
  DWORD returned = 0;
  const BOOL ok =
      DeviceIoControl(folder, FSCTL_SET_REPARSE_POINT, buffer.data(),
                      static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr);
  CloseHandle(folder);
  if (!ok) RemoveDirectoryA(path(relative).c_str());
  return ok != FALSE;
}

bool World::exists(const std::string& relative) const {
  return GetFileAttributesA(path(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> World::entries() const {
  std::vector<std::string> out;
  collect(root_, "", out);
  std::sort(out.begin(), out.end());
  return out;
}

std::optional<std::vector<std::string>> World::recycled(const std::string& relative) const {
  const std::vector<std::string> names = trashed(unix_suffix(path(relative)), false);
  if (names.empty()) return std::nullopt;
  const std::string item = trash_root() + "\\files\\" + names.front();
  const DWORD attributes = GetFileAttributesA(item.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  const std::string name = relative.substr(relative.find_last_of('\\') + 1);
  std::vector<std::string> out{(attributes & FILE_ATTRIBUTE_DIRECTORY) ? name + "\\" : name};
  if (is_plain_folder(attributes)) collect(item, name + "\\", out);
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace file_world
