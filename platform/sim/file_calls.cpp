// The file calls over the sim's drives: Windows' error codes and listing order, share
// locks, folder links and the shell's delete; paths are read by platform/sim/paths.h.
#include "platform/file_calls.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

#include "platform/sim/machine.h"
#include "platform/sim/paths.h"

namespace platform {

namespace {

using sim::FileNode;
using Kind = sim::Machine::HandleKind;

constexpr std::uint32_t kErrorDirectory = 267;  // ERROR_DIRECTORY: a file where a folder must be
// What SetFileAttributesA may change; the folder and link bits stay as they are.
constexpr std::uint32_t kSettable = 0x1 | 0x2 | 0x4 | 0x20 | 0x100 | 0x1000 | 0x2000;

using sim::Lookup;
using sim::ParsedPath;

bool has_wildcard(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

Lookup find(const std::string& path, bool follow_last_link = false) {
  return sim::find_path(path, follow_last_link);
}

// A pattern as the listing and the shell read it: a last component with a wildcard is
// a mask taken as written ("*." asks for names without an extension, so its dot must
// stay), and only the folder before it is normalised; any other last component is
// normalised with the rest.
struct Pattern {
  ParsedPath folder;
  std::string mask;
};

Pattern split_pattern(const std::string& pattern) {
  Pattern split;
  std::size_t cut = pattern.find_last_of("\\/");
  if (cut == std::string::npos && pattern.size() >= 2 && pattern[1] == ':') cut = 1;  // "C:*"
  const std::string last = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
  if (has_wildcard(last)) {
    split.folder = sim::parse_path(cut == std::string::npos ? "." : pattern.substr(0, cut + 1));
    split.folder.trailing_separator = false;
    split.mask = last;
    return split;
  }
  split.folder = sim::parse_path(pattern);
  if (split.folder.error == kErrorSuccess && split.folder.parts.size() >= 2) {
    split.mask = split.folder.parts.back();
    split.folder.parts.pop_back();
  }
  return split;
}

bool named(const FileNode& node, const std::string& name) {
  const std::string upper = sim::upper_ansi(name);
  return sim::upper_ansi(node.name) == upper ||
         (!node.short_name.empty() && sim::upper_ansi(node.short_name) == upper);
}

std::uint32_t visible_attributes(const FileNode& node) {
  return node.attributes == 0 ? kFileAttributeNormal : node.attributes;
}

std::unique_ptr<FileNode> detach(FileNode& parent, const FileNode* node) {
  auto it = std::find_if(parent.children.begin(), parent.children.end(),
                         [&](const auto& child) { return child.get() == node; });
  std::unique_ptr<FileNode> owned = std::move(*it);
  parent.children.erase(it);
  return owned;
}

bool fails(sim::Call call, const std::string& target) {
  auto& m = sim::machine();
  if (auto code = m.check(call, target)) {
    m.last_error = *code;
    return true;
  }
  return false;
}

bool fails_with(std::uint32_t code) {
  sim::machine().last_error = code;
  return false;
}

// Windows' matching of a name against a last-component mask, without letter case.
bool wild_match(const std::string& name, const std::string& mask) {
  if (mask == "*.*") return true;
  const std::string n = sim::upper_ansi(name), w = sim::upper_ansi(mask);
  std::size_t ni = 0, wi = 0, star = std::string::npos, resume = 0;
  while (ni < n.size()) {
    if (wi < w.size() && (w[wi] == '?' || w[wi] == n[ni])) {
      ++ni;
      ++wi;
    } else if (wi < w.size() && w[wi] == '*') {
      star = wi++;
      resume = ni;
    } else if (star != std::string::npos) {
      wi = star + 1;
      ni = ++resume;
    } else {
      return false;
    }
  }
  while (wi < w.size() && w[wi] == '*') ++wi;
  // "*." is the old way of asking for names without an extension.
  if (wi + 1 == w.size() && w[wi] == '.' && name.find('.') == std::string::npos) return true;
  return wi == w.size();
}

struct Search {
  std::vector<FindData> entries;
  std::size_t next = 1;
  std::string pattern;
};

bool holds_locked(const FileNode& node) {
  if (node.locked) return true;
  return std::any_of(node.children.begin(), node.children.end(),
                     [](const auto& child) { return holds_locked(*child); });
}

// Deletes what can go of a tree that holds an open file: the open files and the
// folders above them stay, as the shell leaves them.
void delete_unlocked(FileNode& folder) {
  for (auto it = folder.children.begin(); it != folder.children.end();) {
    FileNode& child = **it;
    if (child.link_target.empty()) delete_unlocked(child);
    if (holds_locked(child)) {
      ++it;
    } else {
      it = folder.children.erase(it);
    }
  }
}

// One item of a shell delete: to the Recycle Bin with undo, gone without. Read-only
// entries go too: FOF_NOCONFIRMATION answers the shell's read-only question with yes
// (Wine's shell refuses a read-only file given as an item of its own).
int remove_item(FileNode& parent, FileNode& node, const std::string& path, bool undo) {
  if (holds_locked(node)) {
    if (!undo && node.link_target.empty()) delete_unlocked(node);
    return static_cast<int>(kErrorSharingViolation);
  }
  std::unique_ptr<FileNode> owned = detach(parent, &node);
  if (undo) sim::machine().recycle_bin.push_back({path, std::move(owned)});
  return 0;
}

int delete_item(const std::string& item, std::uint32_t flags) {
  Pattern pattern = split_pattern(item);
  const ParsedPath& parsed = pattern.folder;
  if (parsed.error != kErrorSuccess) return static_cast<int>(parsed.error);
  if (pattern.mask.empty()) return static_cast<int>(kErrorAccessDenied);  // a drive root
  const bool undo = (flags & kFofAllowUndo) != 0;
  const std::string& mask = pattern.mask;
  if (!has_wildcard(mask)) {
    const ParsedPath whole = sim::parse_path(item);
    Lookup target = sim::walk(whole, false, 0);
    if (target.error != kErrorSuccess) return static_cast<int>(target.error);
    return remove_item(*target.parent, *target.node, target.path,
                       undo && sim::has_recycle_bin(whole, target));
  }
  // "folder\*.*": each matching entry of the folder is an item of its own.
  Lookup folder = sim::walk(parsed, true, 0);
  if (folder.error != kErrorSuccess) return 0;  // nothing matched (Wine answers 0 too)
  const bool recycle = undo && sim::has_recycle_bin(parsed, folder);
  std::vector<FileNode*> matched;
  for (auto& child : folder.node->children) {
    if ((flags & kFofFilesOnly) != 0 && child->is_folder()) continue;
    if (wild_match(child->name, mask)) matched.push_back(child.get());
  }
  for (FileNode* node : matched) {
    const std::string path = folder.path + (folder.path.back() == '\\' ? "" : "\\") + node->name;
    if (int code = remove_item(*folder.node, *node, path, recycle)) return code;
  }
  return 0;
}

}  // namespace

std::uint32_t get_file_attributes(const std::string& path) {
  if (fails(sim::Call::GetFileAttributes, path)) return kInvalidFileAttributes;
  Lookup found = find(path);
  if (found.error != kErrorSuccess) {
    fails_with(found.error);
    return kInvalidFileAttributes;
  }
  return visible_attributes(*found.node);
}

bool set_file_attributes(const std::string& path, std::uint32_t attributes) {
  if (fails(sim::Call::SetFileAttributes, path)) return false;
  Lookup found = find(path);
  if (found.error != kErrorSuccess) return fails_with(found.error);
  FileNode& node = *found.node;
  node.attributes = (node.attributes & (kFileAttributeDirectory | kFileAttributeReparsePoint)) |
                    (attributes & kSettable);
  return true;
}

bool delete_file(const std::string& path) {
  if (fails(sim::Call::DeleteFile, path)) return false;
  Lookup found = find(path);
  if (found.error != kErrorSuccess) return fails_with(found.error);
  const FileNode& node = *found.node;
  if (node.is_folder() || (node.attributes & kFileAttributeReadOnly) != 0)
    return fails_with(kErrorAccessDenied);
  if (node.locked) return fails_with(kErrorSharingViolation);
  detach(*found.parent, &node);
  return true;
}

bool remove_directory(const std::string& path) {
  if (fails(sim::Call::RemoveDirectory, path)) return false;
  Lookup found = find(path);
  if (found.error != kErrorSuccess) return fails_with(found.error);
  const FileNode& node = *found.node;
  if (!node.is_folder()) return fails_with(kErrorDirectory);
  if (!found.parent) return fails_with(kErrorAccessDenied);  // a drive root
  // A link goes by itself; what it points at is never looked at.
  if (node.link_target.empty() && !node.children.empty()) return fails_with(kErrorDirNotEmpty);
  detach(*found.parent, &node);
  return true;
}

std::uint32_t read_whole_file(const std::string& path, std::string& bytes) {
  bytes.clear();
  Lookup found = find(path);
  std::uint32_t code = found.error;
  if (code == kErrorSuccess && found.node->is_folder()) code = kErrorAccessDenied;
  if (code == kErrorSuccess && found.node->locked) code = kErrorSharingViolation;
  if (code == kErrorSuccess) {
    if (auto injected = sim::machine().check(sim::Call::ReadFile, path)) code = *injected;
  }
  if (code != kErrorSuccess) {
    fails_with(code);
    return code;
  }
  bytes = found.node->content;
  return kErrorSuccess;
}

Handle find_first_file(const std::string& pattern, FindData& data) {
  auto& m = sim::machine();
  if (fails(sim::Call::FindFirstFile, pattern)) return kInvalidHandle;
  const Pattern split = split_pattern(pattern);
  const ParsedPath& parsed = split.folder;
  if (parsed.error != kErrorSuccess) {
    fails_with(parsed.error);
    return kInvalidHandle;
  }
  if (split.mask.empty() || parsed.trailing_separator) {
    fails_with(kErrorFileNotFound);
    return kInvalidHandle;
  }
  const std::string& mask = split.mask;
  Lookup folder = sim::walk(parsed, true, 0);
  if (folder.error == kErrorSuccess && !folder.node->is_folder()) folder.error = kErrorDirectory;
  if (folder.error != kErrorSuccess) {
    fails_with(folder.error == kErrorFileNotFound ? kErrorPathNotFound : folder.error);
    return kInvalidHandle;
  }
  auto search = std::make_shared<Search>();
  search->pattern = pattern;
  const bool wildcard = has_wildcard(mask);
  if (parsed.parts.size() > 1) {  // a drive root lists no "." and ".."
    for (const char* dots : {".", ".."})
      if (wildcard && wild_match(dots, mask))
        search->entries.push_back({kFileAttributeDirectory, dots});
  }
  for (const auto& child : folder.node->children) {
    const bool match = wildcard ? wild_match(child->name, mask) : named(*child, mask);
    if (match) search->entries.push_back({visible_attributes(*child), child->name});
  }
  if (search->entries.empty()) {
    fails_with(kErrorFileNotFound);
    return kInvalidHandle;
  }
  data = search->entries.front();
  return m.open_handle(Kind::Find, std::move(search));
}

bool find_next_file(Handle search, FindData& data) {
  auto* open = static_cast<Search*>(sim::machine().handle_object(search, Kind::Find));
  if (!open) return fails_with(kErrorInvalidHandle);
  if (fails(sim::Call::FindNextFile, open->pattern)) return false;
  if (open->next >= open->entries.size()) return fails_with(kErrorNoMoreFiles);
  data = open->entries[open->next++];
  return true;
}

bool find_close(Handle search) {
  if (sim::machine().close(search, Kind::Find)) return true;
  return fails_with(kErrorInvalidHandle);
}

int sh_file_operation(FileOperation& operation) {
  auto& m = sim::machine();
  m.file_operations.push_back(
      {operation.owner, operation.function, operation.from, operation.flags});
  operation.aborted = false;
  std::vector<std::string> items;
  for (std::size_t at = 0; at < operation.from.size();) {
    const std::size_t end = std::min(operation.from.find('\0', at), operation.from.size());
    if (end == at) break;  // the empty item that closes the list
    items.push_back(operation.from.substr(at, end - at));
    at = end + 1;
  }
  if (auto code = m.check(sim::Call::ShFileOperation, items.empty() ? std::string() : items[0]))
    return static_cast<int>(*code);
  if (operation.function != kFoDelete) return static_cast<int>(kErrorInvalidParameter);
  for (const auto& item : items)
    if (int code = delete_item(item, operation.flags)) return code;
  return 0;
}

}  // namespace platform
