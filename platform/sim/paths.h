// How Windows reads a path, over the sim's drives. One model for every file call:
//  - kinds: "C:\x", "C:x" and "\x" and "x" against the current folder, UNC
//    "\\server\share\x", device paths "\\.\C:\x", and "\\?\C:\x" or "\\?\UNC\..."
//    which Windows passes on without normalising;
//  - normalising (all but "\\?\"): "/" is a separator, runs of separators are one,
//    "." and ".." fold away without eating into the root (drive, or server and
//    share), a segment loses one trailing ".", the last segment every trailing "."
//    and blank unless a separator follows;
//  - lookup: names and 8.3 short names without regard to case, substituted drives,
//    the shares this machine offers (its admin shares "C$" and named ones), and
//    folder links followed on the way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sim/machine.h"

namespace sim {

struct ParsedPath {
  std::vector<std::string> parts;  // "C:" first, then the names: always a local path
  bool trailing_separator = false;
  // Reached through a share: "\\server\share" as written, and how many of `parts`
  // stand for the share's root.
  std::string share;
  std::size_t share_root_parts = 0;
  std::uint32_t error = 0;  // a path Windows refuses before it looks at the disk
};
ParsedPath parse_path(const std::string& path);

// Where a path leads: the node, its folder, and the Win32 error when it leads nowhere.
struct Lookup {
  FileNode* node = nullptr;
  FileNode* parent = nullptr;
  std::string path;                // absolute local path, as written
  std::vector<std::string> real;   // where the node really is: "C:", stored names, links resolved
  std::uint32_t error = 0;
};
Lookup walk(const ParsedPath& parsed, bool follow_last_link, int depth = 0);
Lookup find_path(const std::string& path, bool follow_last_link = false);

// parts[0..count) as a path; a lone drive keeps its root separator ("C:\").
std::string join_path(const std::vector<std::string>& parts, std::size_t count);

// The name GetFinalPathNameByHandleA gives for what `parsed` led to: "\\?\C:\..." with
// the stored names, or "\\?\UNC\server\share\..." through a share.
std::string final_name(const ParsedPath& parsed, const Lookup& found);

// The shell recycles only what really is on a local fixed drive: through a share, or
// on a removable drive (also one mounted in a folder), it deletes outright.
bool has_recycle_bin(const ParsedPath& parsed, const Lookup& found);

}  // namespace sim
