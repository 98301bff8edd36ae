#include "platform/sim/paths.h"

#include <algorithm>
#include <cctype>

#include "platform/file_calls.h"

namespace sim {

namespace {

using platform::kErrorFileNotFound;
using platform::kErrorInvalidName;
using platform::kErrorPathNotFound;
using platform::kErrorSuccess;

constexpr std::uint32_t kErrorBadNetPath = 53;  // ERROR_BAD_NETPATH: no such server
constexpr std::uint32_t kErrorBadNetName = 67;  // ERROR_BAD_NET_NAME: no such share
constexpr std::uint32_t kDriveFixed = 3;
constexpr int kLinkDepth = 16;  // links followed before a path counts as missing

char upper_letter(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

bool is_drive(const std::string& text) {
  return text.size() == 2 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':';
}

bool starts_with(const std::string& text, const std::string& prefix, bool ignore_case = false) {
  if (text.size() < prefix.size()) return false;
  const std::string head = text.substr(0, prefix.size());
  return ignore_case ? equal_ignoring_case(head, prefix) : head == prefix;
}

bool invalid_name(const std::string& name) {
  return name.find_first_of("*?<>|\":") != std::string::npos;
}

std::vector<std::string> split(const std::string& text) {
  std::vector<std::string> pieces(1);
  for (char c : text) {
    if (c == '\\') {
      pieces.emplace_back();
    } else {
      pieces.back() += c;
    }
  }
  return pieces;
}

// Appends the segments of `rest` as Windows normalises them; the first `root` parts
// are never eaten by "..".
void append_normalised(const std::string& rest, std::size_t root, ParsedPath& parsed) {
  std::vector<std::string> segments = split(rest);
  segments.erase(std::remove(segments.begin(), segments.end(), std::string()), segments.end());
  const bool ends_with_separator = !rest.empty() && rest.back() == '\\';
  for (std::size_t i = 0; i < segments.size(); ++i) {
    std::string segment = segments[i];
    if (segment == ".") continue;
    if (segment == "..") {
      if (parsed.parts.size() > root) parsed.parts.pop_back();
      continue;
    }
    if (segment.size() >= 2 && segment.back() == '.' && segment[segment.size() - 2] != '.')
      segment.pop_back();
    if (i + 1 == segments.size() && !ends_with_separator)
      while (!segment.empty() && (segment.back() == '.' || segment.back() == ' ')) segment.pop_back();
    if (!segment.empty()) parsed.parts.push_back(segment);
  }
  parsed.trailing_separator = ends_with_separator && parsed.parts.size() > root;
}

// "\\?\" hands the names to the file system as they are: an empty, "." or ".." name,
// or one holding "/", is no valid name there.
void append_verbatim(std::string rest, ParsedPath& parsed) {
  if (rest.empty()) return;
  if (rest.back() == '\\') {
    parsed.trailing_separator = true;
    rest.pop_back();
  }
  for (const auto& name : split(rest)) {
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
      parsed.error = kErrorInvalidName;
      return;
    }
    parsed.parts.push_back(name);
  }
}

// "server\share\rest": only this machine answers, with its drives' admin shares
// ("C$") and its named shares.
void parse_share(const std::string& text, bool verbatim, ParsedPath& parsed) {
  Machine& m = machine();
  const std::size_t server_end = text.find('\\');
  const std::string server = text.substr(0, server_end);
  const std::size_t share_start = server_end == std::string::npos ? text.size() : server_end + 1;
  std::size_t share_end = text.find('\\', share_start);
  if (share_end == std::string::npos) share_end = text.size();
  const std::string share = text.substr(share_start, share_end - share_start);
  if (server.empty() || share.empty()) {
    parsed.error = kErrorBadNetPath;
    return;
  }
  parsed.share = "\\\\" + server + "\\" + share;
  const bool local = std::any_of(m.local_names.begin(), m.local_names.end(),
                                 [&](const std::string& name) { return equal_ignoring_case(name, server); });
  if (!local) {
    parsed.error = kErrorBadNetPath;
    return;
  }
  if (share.size() == 2 && share[1] == '$' && m.drives.count(upper_letter(share[0]))) {
    parsed.parts = {std::string(1, upper_letter(share[0])) + ":"};
  } else if (auto it = m.shares.find(upper_ansi(share)); it != m.shares.end()) {
    parsed.parts = parse_path(it->second).parts;
  } else {
    parsed.error = kErrorBadNetName;
    return;
  }
  parsed.share_root_parts = parsed.parts.size();
  const std::string rest = share_end < text.size() ? text.substr(share_end + 1) : std::string();
  if (verbatim) {
    append_verbatim(rest, parsed);
  } else {
    append_normalised(rest, parsed.share_root_parts, parsed);
  }
}

// "C:\..." after a device prefix; anything else there is a device, not a folder.
void parse_device(const std::string& rest, bool verbatim, ParsedPath& parsed) {
  if (starts_with(rest, "UNC\\", true)) return parse_share(rest.substr(4), verbatim, parsed);
  if (rest.size() >= 3 && is_drive(rest.substr(0, 2)) && rest[2] == '\\') {
    parsed.parts = {rest.substr(0, 2)};
    if (verbatim) {
      append_verbatim(rest.substr(3), parsed);
    } else {
      append_normalised(rest.substr(3), 1, parsed);
    }
    return;
  }
  parsed.error = kErrorPathNotFound;
}

void parse_local(std::string path, ParsedPath& parsed) {
  const std::string& current = machine().current_directory;
  const bool has_drive = path.size() >= 2 && path[1] == ':';
  if (has_drive && (path.size() == 2 || path[2] != '\\')) {
    // "C:name": relative to that drive's current folder, its root when it is not ours.
    const bool ours = upper_letter(path[0]) == upper_letter(current[0]);
    path = (ours ? current : path.substr(0, 2)) + "\\" + path.substr(2);
  } else if (!has_drive && !path.empty() && path[0] == '\\') {
    path = current.substr(0, 2) + path;
  } else if (!has_drive) {
    path = current + "\\" + path;
  }
  parsed.parts = {path.substr(0, 2)};
  append_normalised(path.substr(2), 1, parsed);
}

FileNode* child_named(FileNode& folder, const std::string& name) {
  const std::string upper = upper_ansi(name);
  for (auto& child : folder.children)
    if (upper_ansi(child->name) == upper || (!child->short_name.empty() && upper_ansi(child->short_name) == upper))
      return child.get();
  return nullptr;
}

// A folder link stands for its target when a path goes through it.
FileNode* through_links(FileNode* node, int depth, Lookup& result) {
  while (node && !node->link_target.empty()) {
    if (depth >= kLinkDepth) {
      result.error = kErrorPathNotFound;
      return nullptr;
    }
    Lookup target = walk(parse_path(node->link_target), true, ++depth);
    if (target.error != kErrorSuccess || !target.node->is_folder()) {
      result.error = kErrorPathNotFound;
      return nullptr;
    }
    node = target.node;
    result.real = target.real;
  }
  return node;
}

}  // namespace

ParsedPath parse_path(const std::string& path) {
  ParsedPath parsed;
  if (path.empty()) {
    parsed.error = kErrorPathNotFound;  // no name at all: not the current folder
    return parsed;
  }
  if (starts_with(path, "\\\\?\\")) {
    parse_device(path.substr(4), true, parsed);
  } else {
    std::string normalised = path;
    std::replace(normalised.begin(), normalised.end(), '/', '\\');
    // "\\.\" and a "\\?\" written with "/" are device paths that are normalised.
    if (starts_with(normalised, "\\\\.\\") || starts_with(normalised, "\\\\?\\")) {
      parse_device(normalised.substr(4), false, parsed);
    } else if (starts_with(normalised, "\\\\")) {
      parse_share(normalised.substr(2), false, parsed);
    } else {
      parse_local(normalised, parsed);
    }
  }
  if (parsed.error != kErrorSuccess || parsed.parts.empty()) return parsed;
  const auto& substituted = machine().substituted_drives;
  const auto it = substituted.find(upper_letter(parsed.parts[0][0]));
  if (it != substituted.end() && is_drive(parsed.parts[0])) {
    std::vector<std::string> parts = parse_path(it->second).parts;
    parts.insert(parts.end(), parsed.parts.begin() + 1, parsed.parts.end());
    parsed.parts = parts;
  }
  return parsed;
}

std::string join_path(const std::vector<std::string>& parts, std::size_t count) {
  std::string path = parts.empty() ? std::string() : parts[0];
  if (count == 1) return path + "\\";
  for (std::size_t i = 1; i < count; ++i) path += "\\" + parts[i];
  return path;
}

Lookup walk(const ParsedPath& parsed, bool follow_last_link, int depth) {
  Lookup result;
  if (parsed.error != kErrorSuccess) {
    result.error = parsed.error;
    return result;
  }
  const auto& parts = parsed.parts;
  result.path = join_path(parts, parts.size());
  auto& drives = machine().drives;
  const auto drive = parts.empty() || !is_drive(parts[0]) ? drives.end()
                                                           : drives.find(upper_letter(parts[0][0]));
  if (drive == drives.end()) {
    result.error = kErrorPathNotFound;
    return result;
  }
  FileNode* node = drive->second.get();
  result.real = {node->name};
  for (std::size_t i = 1; i < parts.size(); ++i) {
    const bool last = i + 1 == parts.size();
    if (invalid_name(parts[i])) {
      result.error = kErrorInvalidName;
      return result;
    }
    if (!node->is_folder()) {
      result.error = kErrorPathNotFound;
      return result;
    }
    node = through_links(node, depth, result);
    if (!node) return result;
    FileNode* child = child_named(*node, parts[i]);
    if (!child) {
      result.error = last ? kErrorFileNotFound : kErrorPathNotFound;
      return result;
    }
    result.parent = node;
    result.real.push_back(child->name);
    node = child;
  }
  if (parsed.trailing_separator && !node->is_folder()) {
    result.error = kErrorPathNotFound;
    return result;
  }
  if (follow_last_link) {
    node = through_links(node, depth, result);
    if (!node) return result;
  }
  result.node = node;
  return result;
}

Lookup find_path(const std::string& path, bool follow_last_link) {
  return walk(parse_path(path), follow_last_link, 0);
}

std::string final_name(const ParsedPath& parsed, const Lookup& found) {
  if (parsed.share.empty()) return "\\\\?\\" + join_path(found.real, found.real.size());
  // Through a share the server answers with the names as they were asked for.
  std::string name = "\\\\?\\UNC\\" + parsed.share.substr(2);
  for (std::size_t i = parsed.share_root_parts; i < parsed.parts.size(); ++i)
    name += "\\" + parsed.parts[i];
  return name;
}

bool has_recycle_bin(const ParsedPath& parsed, const Lookup& found) {
  return parsed.share.empty() && !found.real.empty() && is_drive(found.real[0]) &&
         machine().drive_type(found.real[0][0]) == kDriveFixed;
}

}  // namespace sim
