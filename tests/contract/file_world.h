// Sets up the files a contract case works on: the sim's drives on the host, the Wine
// prefix's C: drive under Wine. Each case owns one folder, C:\quorvalis-contract\<case>,
// made empty when the world starts and taken away when it ends. Relative names are
// "\"-separated and relative to that folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace file_world {

// True in the build whose cases run against Wine's implementation.
extern const bool kUnderWine;

// A drive root no volume answers to, "Q:\" or whichever letter is free.
std::string unused_drive_root();
// Sets a variable of the process's environment.
void set_environment(const std::string& name, const std::string& value);

class World {
 public:
  World();  // named after the running test; the current folder becomes C:\ .
  ~World();
  World(const World&) = delete;
  World& operator=(const World&) = delete;

  const std::string& root() const { return root_; }
  std::string path(const std::string& relative) const { return root_ + "\\" + relative; }

  void add_folder(const std::string& relative);
  void add_file(const std::string& relative, const std::string& content = "x");
  void set_attributes(const std::string& relative, std::uint32_t attributes);
  // Holds the file open for reading without sharing, until unlock() or the world's end.
  void lock(const std::string& relative);
  void unlock();
  // A junction to another folder of the case; false where none can be made.
  bool add_folder_link(const std::string& relative, const std::string& target_relative);

  bool exists(const std::string& relative) const;
  // Every entry below the case's folder, folders marked with a trailing "\", sorted.
  std::vector<std::string> entries() const;
  // The Recycle Bin's item deleted from `relative` (Wine: the freedesktop trash): its
  // own name, then "name\child" for everything below it, folders with a trailing "\",
  // sorted; nullopt when there is none.
  std::optional<std::vector<std::string>> recycled(const std::string& relative) const;

 private:
  std::string root_;
  std::uintptr_t lock_ = 0;
};

}  // namespace file_world
