// Existence tests over the attributes call, shared by both builds.
#include "platform/file_calls.h"

namespace platform {

bool file_exists(const std::string& path) {
  const std::uint32_t attributes = get_file_attributes(path);
  return attributes != kInvalidFileAttributes && (attributes & kFileAttributeDirectory) == 0;
}

bool folder_exists(const std::string& path) {
  const std::uint32_t attributes = get_file_attributes(path);
  return attributes != kInvalidFileAttributes && (attributes & kFileAttributeDirectory) != 0;
}

}  // namespace platform
