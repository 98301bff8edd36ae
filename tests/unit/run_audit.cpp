#include "run_audit.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <set>

#include "platform/registry_calls.h"
#include "platform/sim/installer_tool.h"
#include "suite_world.h"

namespace audit {

namespace {

// Case folding as the sim's names compare.
std::string folded(const std::string& text) { return sim::upper_ansi(text); }

bool starts_with(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

bool registry_line_allowed(const std::string& line, const Allowed& allowed) {
  const std::string upper = folded(line);
  for (const auto& key : allowed.registry_keys) {
    const std::string k = folded(key);
    if (upper == k || starts_with(upper, k + "\\") || starts_with(upper, k + " [")) return true;
  }
  return false;
}

// The path a file line names: folders end in "\", files carry " <size>".
std::string line_path(const std::string& line) {
  if (!line.empty() && line.back() == '\\') return line.substr(0, line.size() - 1);
  const auto cut = line.rfind(' ');
  return cut == std::string::npos ? line : line.substr(0, cut);
}

bool under_folder(const std::string& path, const Allowed& allowed) {
  const std::string upper = folded(path);
  for (const auto& folder : allowed.folders) {
    const std::string f = folded(folder);
    if (upper == f || starts_with(upper, f + "\\")) return true;
  }
  return false;
}

bool is_allowed_shortcut(const std::string& path, const Allowed& allowed) {
  for (const auto& shortcut : allowed.shortcuts)
    if (folded(shortcut) == folded(path)) return true;
  return false;
}

bool file_line_allowed(const std::string& line, const Allowed& allowed) {
  const std::string path = line_path(line);
  for (const auto& file : allowed.files)
    if (folded(file) == folded(path)) return true;
  return is_allowed_shortcut(path, allowed) || under_folder(path, allowed);
}

// The lines of `from` that `other` lacks (both as multisets of whole lines).
std::vector<std::string> missing_from(std::vector<std::string> from, std::vector<std::string> other) {
  std::sort(from.begin(), from.end());
  std::sort(other.begin(), other.end());
  std::vector<std::string> missing;
  std::set_difference(from.begin(), from.end(), other.begin(), other.end(), std::back_inserter(missing));
  return missing;
}

std::string bare_name(const std::string& file) {
  const auto cut = file.find_last_of("\\/");
  return cut == std::string::npos ? file : file.substr(cut + 1);
}

bool existed(const State& before, const std::string& path, bool folder) {
  for (const auto& line : before.files) {
    const bool is_folder = !line.empty() && line.back() == '\\';
    if (is_folder == folder && folded(line_path(line)) == folded(path)) return true;
  }
  return false;
}

bool recycled(const sim::Machine& m, const std::string& folder) {
  for (const auto& item : m.recycle_bin) {
    std::string path = item.original_path;
    while (!path.empty() && path.back() == '\\') path.pop_back();
    if (folded(path) == folded(folder)) return true;
  }
  return false;
}

}  // namespace

Allowed suite_allowed(world::View view) {
  using namespace world;
  Allowed allowed;
  const std::string records = "HKLM\\" + hklm(kUninstallKey, view);
  allowed.registry_keys = {"HKLM\\" + hklm(kTdfVendor, view),
                           "HKLM\\SOFTWARE\\Classes\\com.sun.star.ServiceManager.1",
                           "HKLM\\SOFTWARE\\Classes\\AppID\\{82154420-0FBF-11d4-8313-005004526AB4}",
                           records + kProductCode, records + kHelpCode, records + "ExtensionPack",
                           "HKLM\\" + sim::upgrade_code_key(kUpgradeCode),
                           "HKLM\\" + sim::upgrade_code_key(kHelpUpgradeCode)};
  allowed.packages = {"HKLM\\" + hklm(kUninstallKey + kProductCode, view),
                      "HKLM\\" + hklm(kUninstallKey + kHelpCode, view)};
  for (const auto& member : family()) {
    allowed.registry_keys.push_back(records + member.code);
    allowed.registry_keys.push_back("HKLM\\" + sim::upgrade_code_key(member.upgrade_code));
    allowed.packages.push_back("HKLM\\" + hklm(kUninstallKey + member.code, view));
  }
  for (const char* module : {"Writer", "Calc", "Draw", "Impress", "Base", "Math"})
    allowed.shortcuts.push_back(kDesktop + "\\LibreOffice " + module + ".lnk");
  allowed.shortcuts.push_back(kDesktop + "\\" + kProductKey + ".lnk");
  allowed.folders = {kFolder.substr(0, kFolder.size() - 1), kPrograms + "\\" + kProductKey};
  allowed.processes = {"soffice.bin"};
  return allowed;
}

Allowed suite_allowed_keeping(const std::string& real_folder) {
  Allowed allowed = suite_allowed();
  allowed.folders = {world::kPrograms + "\\" + world::kProductKey};
  allowed.files = world::package_files(real_folder);
  return allowed;
}

State take(const sim::Machine& m) {
  return {m.registry_lines(), m.file_lines(), m.running_process_names()};
}

std::vector<std::string> unexpected_changes(const State& before, const sim::Machine& m,
                                            const Allowed& allowed) {
  std::vector<std::string> changes;
  const State after = take(m);

  for (const auto& line : missing_from(before.registry, after.registry))
    if (!registry_line_allowed(line, allowed)) changes.push_back("registry lost: " + line);
  for (const auto& line : missing_from(after.registry, before.registry))
    changes.push_back("registry gained: " + line);
  for (const auto& line : missing_from(before.files, after.files))
    if (!file_line_allowed(line, allowed)) changes.push_back("file lost: " + line);
  for (const auto& line : missing_from(after.files, before.files))
    changes.push_back("file gained: " + line);

  // The shell recycles a folder's entries one by one ("folder\*.*"), then the folder.
  for (const auto& item : m.recycle_bin) {
    std::string path = item.original_path;
    while (!path.empty() && path.back() == '\\') path.pop_back();
    if (!under_folder(path, allowed)) changes.push_back("recycled: " + item.original_path);
  }

  // Processes as a multiset: ended ones must be allowed, new ones must be launched programs.
  std::map<std::string, int> running;
  for (const auto& name : after.processes) ++running[folded(name)];
  for (const auto& name : before.processes) {
    if (running[folded(name)] > 0) {
      --running[folded(name)];
      continue;
    }
    bool may_end = false;
    for (const auto& allowed_name : allowed.processes)
      may_end = may_end || folded(allowed_name) == folded(name);
    if (!may_end) changes.push_back("process ended: " + name);
  }
  std::set<std::string> launched;
  for (const auto& launch : m.launches) launched.insert(folded(bare_name(launch.file)));
  for (const auto& [name, count] : running)
    if (count > 0 && !launched.count(name)) changes.push_back("process started: " + name);
  return changes;
}

bool cleanup_complete(const State& before, sim::Machine& m, const Allowed& allowed) {
  for (const auto& shortcut : allowed.shortcuts)
    if (existed(before, shortcut, false) && m.find_node(shortcut)) return false;
  for (const auto& folder : allowed.folders)
    if (existed(before, folder, true) && (m.find_node(folder) || !recycled(m, folder))) return false;
  return true;
}

bool untouched(const State& before, const sim::Machine& m) {
  const State after = take(m);
  return m.launches.empty() && m.recycle_bin.empty() && after.registry == before.registry &&
         after.files == before.files && after.processes == before.processes;
}

std::vector<std::string> packages_left(sim::Machine& m, const Allowed& allowed) {
  std::vector<std::string> left;
  for (const auto& record : allowed.packages)
    if (m.key_exists(platform::kHkeyLocalMachine, record.substr(5))) left.push_back(record);
  return left;
}

bool cleanup_untouched(const State& before, sim::Machine& m, const Allowed& allowed) {
  if (!m.recycle_bin.empty()) return false;
  for (const auto& shortcut : allowed.shortcuts)
    if (existed(before, shortcut, false) && !m.file_exists(shortcut)) return false;
  for (const auto& folder : allowed.folders)
    if (existed(before, folder, true) && !m.folder_exists(folder)) return false;
  return true;
}

}  // namespace audit
