#include "platform/sim/machine.h"

#include <algorithm>
#include <cctype>
#include <new>

#include "platform/codepage.h"
#include "platform/file_calls.h"
#include "platform/folder_calls.h"
#include "platform/registry_calls.h"
#include "platform/sim/installer_tool.h"

namespace sim {

namespace {

std::unique_ptr<Machine>& current() {
  static std::unique_ptr<Machine> instance = std::make_unique<Machine>();
  return instance;
}

std::vector<std::string> split_path(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
    if (c == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

}  // namespace

const char* call_name(Call call) {
  static const char* const names[] = {
      "RegOpenKey", "RegQueryInfoKey", "RegEnumKey", "RegEnumValue", "RegQueryValue",
      "ClsidFromProgId",
      "GetFileAttributes", "SetFileAttributes", "DeleteFile", "RemoveDirectory", "ReadFile",
      "FindFirstFile", "FindNextFile", "ShFileOperation",
      "CreateSnapshot", "ProcessFirst", "ProcessNext", "OpenProcess", "TerminateProcess",
      "OpenMutex", "ReleaseMutex",
      "ShellExecute", "WaitForInputIdle", "WaitForSingleObject", "GetExitCodeProcess",
      "GetSystemDirectory", "ShGetSpecialFolderLocation", "ShGetPathFromIdList",
      "CreateFile", "GetFinalPathName", "GetDriveType", "ExpandEnvironmentStrings",
      "IsWow64Process"};
  static_assert(sizeof(names) / sizeof(names[0]) == static_cast<int>(Call::Count_));
  return names[static_cast<int>(call)];
}

char16_t fold_wide(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
  if (c == 0xFF) return 0x178;
  if (c == 0x161 || c == 0x153 || c == 0x17E) return static_cast<char16_t>(c - 1);
  return c;
}

WideString upper_wide(const WideString& text) {
  WideString result = text;
  for (auto& c : result) c = fold_wide(c);
  return result;
}

std::string upper_ansi(const std::string& text) { return platform::ansi_upper(text); }

bool equal_ignoring_case(const std::string& a, const std::string& b) {
  return upper_ansi(a) == upper_ansi(b);
}

bool FileNode::is_folder() const { return (attributes & platform::kFileAttributeDirectory) != 0; }

Machine& machine() { return *current(); }

// In place, so that every reference to the current machine stays valid across tests.
Machine& reset() {
  Machine* machine = current().get();
  machine->~Machine();
  return *new (machine) Machine();
}

Machine::Machine() : hklm(std::make_shared<RegKeyNode>()) {
  hklm->name = u"HKEY_LOCAL_MACHINE";
  add_key(platform::kHkeyLocalMachine, "SOFTWARE\\Classes");
  add_folder("C:\\Windows\\system32");
  shell_folders[platform::kCsidlCommonDesktopDirectory] = "C:\\Users\\Public\\Desktop";
  shell_folders[platform::kCsidlCommonPrograms] =
      "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
  shell_folders[platform::kCsidlStartup] =
      "C:\\Users\\admin\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
  for (const auto& [csidl, path] : shell_folders) add_folder(path);
  for (const auto& [name, value] :
       {std::pair<const char*, const char*>{"SystemDrive", "C:"},
        {"SystemRoot", "C:\\Windows"}, {"windir", "C:\\Windows"},
        {"ProgramData", "C:\\ProgramData"}, {"ALLUSERSPROFILE", "C:\\ProgramData"},
        {"ProgramFiles", "C:\\Program Files"}, {"PUBLIC", "C:\\Users\\Public"},
        {"USERPROFILE", "C:\\Users\\admin"}})
    set_environment(name, value);
}

Machine::~Machine() = default;

// ---- registry ---------------------------------------------------------------

std::shared_ptr<RegKeyNode> find_subkey(const RegKeyNode& key, const WideString& upper) {
  auto it = std::lower_bound(key.subkeys.begin(), key.subkeys.end(), upper,
                             [](const auto& node, const WideString& wanted) { return node->upper < wanted; });
  return it != key.subkeys.end() && (*it)->upper == upper ? *it : nullptr;
}

std::shared_ptr<RegKeyNode> Machine::root_node(Handle root) {
  if (root == platform::kHkeyLocalMachine) return hklm;
  if (root != platform::kHkeyClassesRoot) return nullptr;
  auto software = find_subkey(*hklm, u"SOFTWARE");
  return software ? find_subkey(*software, u"CLASSES") : nullptr;
}

RegKeyNode& Machine::add_key(Handle root, const std::string& path) {
  auto node = root_node(root);
  for (const auto& part : split_path(path)) {
    const WideString name = platform::ansi_to_wide(part);
    const WideString upper = upper_wide(name);
    auto& subkeys = node->subkeys;
    auto it = std::lower_bound(subkeys.begin(), subkeys.end(), upper,
                               [](const auto& key, const WideString& wanted) { return key->upper < wanted; });
    if (it == subkeys.end() || (*it)->upper != upper) {
      auto key = std::make_shared<RegKeyNode>();
      key->name = name;
      key->upper = upper;
      it = subkeys.insert(it, key);
    }
    node = *it;
  }
  return *node;
}

RegKeyNode* Machine::find_key(Handle root, const std::string& path) {
  auto node = root_node(root);
  for (const auto& part : split_path(path)) {
    if (!node) return nullptr;
    node = find_subkey(*node, upper_wide(platform::ansi_to_wide(part)));
  }
  return node.get();
}

void Machine::set_value(Handle root, const std::string& path, const std::string& name,
                        std::uint32_t type, std::string data) {
  auto& key = add_key(root, path);
  const WideString wide_name = platform::ansi_to_wide(name);
  for (auto& value : key.values) {
    if (upper_wide(value.name) == upper_wide(wide_name)) {
      value.type = type;
      value.data = std::move(data);
      return;
    }
  }
  key.values.push_back({wide_name, type, std::move(data)});
}

void Machine::set_string(Handle root, const std::string& path, const std::string& name,
                         const std::string& ansi_text, std::uint32_t type) {
  const WideString wide = platform::ansi_to_wide(ansi_text) + u'\0';
  std::string bytes;
  for (char16_t c : wide) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  set_value(root, path, name, type, std::move(bytes));
}

void Machine::set_dword(Handle root, const std::string& path, const std::string& name,
                        std::uint32_t value) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  set_value(root, path, name, platform::kRegDword, std::move(bytes));
}

bool Machine::delete_key(Handle root, const std::string& path) {
  auto parts = split_path(path);
  if (parts.empty()) return false;
  const std::string leaf = parts.back();
  parts.pop_back();
  std::string parent_path;
  for (const auto& part : parts) parent_path += part + "\\";
  RegKeyNode* parent = find_key(root, parent_path);
  if (!parent) return false;
  const WideString name = upper_wide(platform::ansi_to_wide(leaf));
  auto it = std::find_if(parent->subkeys.begin(), parent->subkeys.end(),
                         [&](const auto& key) { return key->upper == name; });
  if (it == parent->subkeys.end()) return false;
  std::function<void(RegKeyNode&)> mark = [&](RegKeyNode& key) {
    key.deleted = true;
    for (auto& sub : key.subkeys) mark(*sub);
  };
  mark(**it);
  parent->subkeys.erase(it);
  return true;
}

std::optional<std::string> Machine::string_value(Handle root, const std::string& path,
                                                 const std::string& name) {
  RegKeyNode* key = find_key(root, path);
  if (!key) return std::nullopt;
  const WideString wide_name = upper_wide(platform::ansi_to_wide(name));
  for (const auto& value : key->values) {
    if (upper_wide(value.name) != wide_name) continue;
    WideString text;
    for (std::size_t i = 0; i + 1 < value.data.size(); i += 2)
      text += static_cast<char16_t>(static_cast<unsigned char>(value.data[i]) |
                                    static_cast<unsigned char>(value.data[i + 1]) << 8);
    while (!text.empty() && text.back() == u'\0') text.pop_back();
    return platform::wide_to_ansi(text);
  }
  return std::nullopt;
}

void Machine::add_uninstall_record(const std::string& key_name, const std::string& display_name,
                                   const std::optional<std::string>& uninstall_string) {
  const std::string path = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + key_name;
  set_string(platform::kHkeyLocalMachine, path, "DisplayName", display_name);
  if (uninstall_string)
    set_string(platform::kHkeyLocalMachine, path, "UninstallString", *uninstall_string);
}

std::vector<std::string> Machine::registry_lines() const {
  std::vector<std::string> lines;
  std::function<void(const RegKeyNode&, const std::string&)> walk =
      [&](const RegKeyNode& key, const std::string& path) {
        lines.push_back(path);
        for (const auto& value : key.values) {
          std::string hex;
          for (unsigned char c : value.data) {
            static const char digits[] = "0123456789abcdef";
            hex += digits[c >> 4];
            hex += digits[c & 15];
          }
          lines.push_back(path + " [" + platform::wide_to_ansi(value.name) + "] " +
                          std::to_string(value.type) + ":" + hex);
        }
        for (const auto& sub : key.subkeys)
          walk(*sub, path + "\\" + platform::wide_to_ansi(sub->name));
      };
  walk(*hklm, "HKLM");
  return lines;
}

// ---- files --------------------------------------------------------------------

namespace {

std::vector<std::unique_ptr<FileNode>>::iterator find_child(FileNode& folder,
                                                            const std::string& name) {
  const std::string upper = upper_ansi(name);
  return std::find_if(folder.children.begin(), folder.children.end(),
                      [&](const auto& child) { return upper_ansi(child->name) == upper; });
}

FileNode& insert_child(FileNode& folder, std::unique_ptr<FileNode> child) {
  const std::string upper = upper_ansi(child->name);
  auto at = std::find_if(folder.children.begin(), folder.children.end(),
                         [&](const auto& other) { return upper_ansi(other->name) > upper; });
  return **folder.children.insert(at, std::move(child));
}

}  // namespace

FileNode& Machine::add_folder(const std::string& path, std::uint32_t attributes) {
  auto parts = split_path(path);
  const char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(parts.at(0)[0])));
  auto& root = drives[drive];
  if (!root) {
    root = std::make_unique<FileNode>();
    root->name = std::string(1, drive) + ":";
    root->attributes = platform::kFileAttributeDirectory;
  }
  FileNode* node = root.get();
  for (std::size_t i = 1; i < parts.size(); ++i) {
    auto it = find_child(*node, parts[i]);
    if (it != node->children.end()) {
      node = it->get();
      if (!node->is_folder()) {  // a file on the way becomes the folder asked for
        node->attributes = platform::kFileAttributeDirectory;
        node->content.clear();
      }
      continue;
    }
    auto child = std::make_unique<FileNode>();
    child->name = parts[i];
    child->attributes = platform::kFileAttributeDirectory;
    node = &insert_child(*node, std::move(child));
  }
  node->attributes = platform::kFileAttributeDirectory | attributes;
  return *node;
}

FileNode& Machine::add_file(const std::string& path, std::string content,
                            std::uint32_t attributes) {
  const auto cut = path.find_last_of('\\');
  FileNode& folder = add_folder(path.substr(0, cut));
  const std::string name = path.substr(cut + 1);
  auto it = find_child(folder, name);
  if (it != folder.children.end()) folder.children.erase(it);
  auto child = std::make_unique<FileNode>();
  child->name = name;
  child->attributes = attributes & ~platform::kFileAttributeDirectory;
  child->content = std::move(content);
  return insert_child(folder, std::move(child));
}

FileNode& Machine::add_folder_link(const std::string& path, const std::string& target) {
  FileNode& node = add_folder(path, platform::kFileAttributeReparsePoint);
  node.link_target = target;
  return node;
}

FileNode* Machine::find_node(const std::string& path) {
  auto parts = split_path(path);
  if (parts.empty() || parts[0].size() != 2 || parts[0][1] != ':') return nullptr;
  const char drive = static_cast<char>(std::toupper(static_cast<unsigned char>(parts[0][0])));
  auto root = drives.find(drive);
  if (root == drives.end()) return nullptr;
  FileNode* node = root->second.get();
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (!node->is_folder()) return nullptr;
    if (parts[i] == ".") continue;
    auto it = find_child(*node, parts[i]);
    if (it == node->children.end()) return nullptr;
    node = it->get();
  }
  return node;
}

std::uint32_t Machine::drive_type(char letter) const {
  const auto it = drive_types.find(static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
  return it == drive_types.end() ? 3u : it->second;
}

void Machine::set_environment(const std::string& name, const std::string& value) {
  environment[upper_ansi(name)] = value;
}

bool Machine::file_exists(const std::string& path) {
  FileNode* node = find_node(path);
  return node && !node->is_folder();
}

bool Machine::folder_exists(const std::string& path) {
  FileNode* node = find_node(path);
  return node && node->is_folder();
}

std::vector<std::string> Machine::file_lines() const {
  std::vector<std::string> lines;
  std::function<void(const FileNode&, const std::string&)> walk = [&](const FileNode& node,
                                                                      const std::string& path) {
    if (node.is_folder()) {
      lines.push_back(path + "\\");
      for (const auto& child : node.children) walk(*child, path + "\\" + child->name);
    } else {
      lines.push_back(path + " " + std::to_string(node.content.size()));
    }
  };
  for (const auto& [letter, root] : drives) walk(*root, std::string(1, letter) + ":");
  return lines;
}

// ---- processes and programs -------------------------------------------------------

Process& Machine::add_process(const std::string& exe_file, bool terminable) {
  Process process;
  process.id = next_process_id;
  next_process_id += 4;
  process.exe_file = exe_file;
  process.terminable = terminable;
  processes.push_back(process);
  return processes.back();
}

std::vector<std::string> Machine::running_process_names() const {
  std::vector<std::string> names;
  for (const auto& process : processes)
    if (process.running) names.push_back(process.exe_file);
  return names;
}

Process* Machine::find_process(std::uint32_t id) {
  auto it = std::find_if(processes.begin(), processes.end(),
                         [&](const Process& process) { return process.id == id; });
  return it == processes.end() ? nullptr : &*it;
}

Handle Machine::open_process_handle(std::uint32_t id) {
  return open_handle(HandleKind::Process, std::make_shared<std::uint32_t>(id));
}

Process* Machine::process_of(Handle handle) {
  auto* id = static_cast<std::uint32_t*>(handle_object(handle, HandleKind::Process));
  return id ? find_process(*id) : nullptr;
}

void Machine::add_program(const std::string& file, Program program) {
  programs[upper_ansi(file)] = std::move(program);
}

Program* Machine::find_program(const std::string& file) {
  auto it = programs.find(upper_ansi(file));
  return it == programs.end() ? nullptr : &it->second;
}

void Machine::add_product(Product product) {
  if (!product.upgrade_code.empty())
    set_string(platform::kHkeyLocalMachine, upgrade_code_key(product.upgrade_code),
               packed_code(product.code), "");
  products.push_back(std::move(product));
}

Product& Machine::add_installed_product(const std::string& code, const std::string& display_name,
                                        std::vector<std::pair<Handle, std::string>> keys,
                                        std::vector<std::string> files) {
  add_uninstall_record(code, display_name, "MsiExec.exe /X" + code);
  for (const auto& [root, path] : keys) add_key(root, path);
  for (const auto& file : files) add_file(file);
  Product product;
  product.code = code;
  product.keys = std::move(keys);
  product.files = std::move(files);
  products.push_back(std::move(product));
  return products.back();
}

Machine::NamedMutex* Machine::find_mutex(const std::string& name) {
  for (auto& mutex : mutexes)
    if (mutex.name == name) return &mutex;
  return nullptr;
}

// ---- faults, counters and handles ------------------------------------------------

Fault& Machine::fail(Call call, std::uint32_t code, int nth, bool persistent,
                     const std::string& target) {
  Fault fault;
  fault.call = call;
  fault.code = code;
  fault.nth = nth;
  fault.persistent = persistent;
  fault.target = target;
  faults.push_back(fault);
  return faults.back();
}

std::optional<std::uint32_t> Machine::check(Call call, const std::string& target) {
  ++calls[static_cast<int>(call)];
  if (record_calls) call_log.emplace_back(call, target);
  std::optional<std::uint32_t> answer;
  for (auto& fault : faults) {
    if (fault.call != call) continue;
    if (!fault.target.empty() && !equal_ignoring_case(fault.target, target)) continue;
    ++fault.seen;
    if (fault.seen == fault.nth || (fault.persistent && fault.seen > fault.nth)) {
      ++fault.injected;
      fault.injected_at.push_back(target);
      if (!answer) answer = fault.code;
    }
  }
  return answer;
}

int Machine::registry_calls() const {
  int total = 0;
  for (Call call : {Call::RegOpenKey, Call::RegQueryInfoKey, Call::RegEnumKey, Call::RegEnumValue,
                    Call::RegQueryValue})
    total += call_count(call);
  return total;
}

int Machine::faults_injected() const {
  int total = 0;
  for (const auto& fault : faults) total += fault.injected;
  return total;
}

Handle Machine::open_handle(HandleKind kind, std::shared_ptr<void> object) {
  const Handle handle = next_handle;
  next_handle += 4;
  handles[handle] = {kind, std::move(object)};
  return handle;
}

void* Machine::handle_object(Handle handle, HandleKind kind) {
  auto it = handles.find(handle);
  if (it == handles.end() || it->second.kind != kind) return nullptr;
  return it->second.object.get();
}

bool Machine::close(Handle handle, HandleKind kind) {
  auto it = handles.find(handle);
  if (it == handles.end() || it->second.kind != kind) return false;
  handles.erase(it);
  return true;
}

int Machine::open_handles(HandleKind kind) const {
  return static_cast<int>(std::count_if(handles.begin(), handles.end(),
                                        [&](const auto& entry) { return entry.second.kind == kind; }));
}

int Machine::open_handles() const { return static_cast<int>(handles.size()); }

}  // namespace sim
