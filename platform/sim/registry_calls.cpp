// The registry calls over the sim's registry.
#include "platform/registry_calls.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "platform/codepage.h"
#include "platform/sim/machine.h"
#include "platform/sim/registry_views.h"

namespace platform {

namespace {

constexpr long kErrorKeyDeleted = 1018;

struct OpenKey {
  std::shared_ptr<sim::RegKeyNode> node;
  std::string path;  // "HKLM\..." for fault targets
};

using Kind = sim::Machine::HandleKind;

OpenKey* open_key(RegKey key) {
  auto& m = sim::machine();
  return static_cast<OpenKey*>(m.handle_object(key, Kind::RegKey));
}

// The node and path a handle stands for: a root key or an open key.
bool resolve(RegKey key, std::shared_ptr<sim::RegKeyNode>& node, std::string& path) {
  auto& m = sim::machine();
  if (key == kHkeyLocalMachine || key == kHkeyClassesRoot) {
    node = m.root_node(key);
    path = key == kHkeyLocalMachine ? "HKLM" : "HKCR";
    return node != nullptr;
  }
  OpenKey* open = open_key(key);
  if (!open) return false;
  node = open->node;
  path = open->path;
  return true;
}

long enum_name(std::uint32_t index, const WideString* name, char16_t* buffer,
               std::uint32_t& length) {
  if (!name) return kErrorNoMoreItems;
  if (name->size() + 1 > length) return kErrorMoreData;
  std::copy(name->begin(), name->end(), buffer);
  buffer[name->size()] = u'\0';
  length = static_cast<std::uint32_t>(name->size());
  (void)index;
  return kErrorSuccess;
}

}  // namespace

long reg_open_key(RegKey parent, const WideString& sub_key, std::uint32_t access, RegKey& result) {
  auto& m = sim::machine();
  result = 0;
  std::shared_ptr<sim::RegKeyNode> node;
  std::string path;
  if (!resolve(parent, node, path)) return kErrorInvalidHandle;
  const std::string ansi = wide_to_ansi(sub_key);
  std::string target = path;
  if (!ansi.empty()) target += "\\" + ansi;
  while (target.size() > 4 && target.back() == '\\') target.pop_back();
  if (auto code = m.check(sim::Call::RegOpenKey, target)) return static_cast<long>(*code);
  // One registry view at a time (the sim has only one); asking for both is refused.
  if ((access & kKeyWow6464Key) != 0 && (access & kKeyWow6432Key) != 0)
    return static_cast<long>(kErrorInvalidParameter);
  if (!sub_key.empty() && sub_key.front() == u'\\') return kErrorBadPathname;
  if (node->deleted) return kErrorKeyDeleted;

  // In the 32-bit view the whole logical path is mapped and walked from HKLM itself;
  // handles keep their logical path, so a relative open is mapped the same way.
  WideString walk = sub_key;
  if (sim::opens_32bit_view(m, access)) {
    std::string logical = target.size() > 4 ? target.substr(5) : std::string();
    if (target.compare(0, 4, "HKCR") == 0)
      logical = "SOFTWARE\\Classes" + (logical.empty() ? std::string() : "\\" + logical);
    node = m.hklm;
    walk = ansi_to_wide(sim::path_in_32bit_view(logical));
  }

  WideString part;
  auto descend = [&]() -> bool {
    if (part.empty()) return true;
    auto next = sim::find_subkey(*node, sim::upper_wide(part));
    if (!next) return false;
    node = next;
    part.clear();
    return true;
  };
  for (char16_t c : walk) {
    if (c == u'\\') {
      if (!descend()) return kErrorFileNotFound;
    } else {
      part += c;
    }
  }
  if (!descend()) return kErrorFileNotFound;
  if (node->open_denied) return kErrorAccessDenied;
  result = m.open_handle(Kind::RegKey, std::make_shared<OpenKey>(OpenKey{node, target}));
  return kErrorSuccess;
}

long reg_close_key(RegKey key) {
  if (key == kHkeyLocalMachine || key == kHkeyClassesRoot) return kErrorSuccess;
  return sim::machine().close(key, Kind::RegKey) ? kErrorSuccess : kErrorInvalidHandle;
}

long reg_query_info_key(RegKey key, RegKeyInfo& info) {
  auto& m = sim::machine();
  std::shared_ptr<sim::RegKeyNode> node;
  std::string path;
  if (!resolve(key, node, path)) return kErrorInvalidHandle;
  if (auto code = m.check(sim::Call::RegQueryInfoKey, path)) return static_cast<long>(*code);
  if (node->deleted) return kErrorKeyDeleted;
  info = {};
  info.subkeys = static_cast<std::uint32_t>(node->subkeys.size());
  for (const auto& sub : node->subkeys)
    info.max_subkey_length =
        std::max(info.max_subkey_length, static_cast<std::uint32_t>(sub->name.size()));
  info.values = static_cast<std::uint32_t>(node->values.size());
  for (const auto& value : node->values) {
    info.max_value_name_length =
        std::max(info.max_value_name_length, static_cast<std::uint32_t>(value.name.size()));
    info.max_value_data =
        std::max(info.max_value_data, static_cast<std::uint32_t>(value.data.size()));
  }
  return kErrorSuccess;
}

long reg_enum_key(RegKey key, std::uint32_t index, char16_t* name, std::uint32_t& length) {
  auto& m = sim::machine();
  std::shared_ptr<sim::RegKeyNode> node;
  std::string path;
  if (!resolve(key, node, path)) return kErrorInvalidHandle;
  if (auto code = m.check(sim::Call::RegEnumKey, path)) return static_cast<long>(*code);
  if (node->deleted) return kErrorKeyDeleted;
  const WideString* found = index < node->subkeys.size() ? &node->subkeys[index]->name : nullptr;
  return enum_name(index, found, name, length);
}

long reg_enum_value(RegKey key, std::uint32_t index, char16_t* name, std::uint32_t& length) {
  auto& m = sim::machine();
  std::shared_ptr<sim::RegKeyNode> node;
  std::string path;
  if (!resolve(key, node, path)) return kErrorInvalidHandle;
  if (auto code = m.check(sim::Call::RegEnumValue, path)) return static_cast<long>(*code);
  if (node->deleted) return kErrorKeyDeleted;
  const WideString* found = index < node->values.size() ? &node->values[index].name : nullptr;
  return enum_name(index, found, name, length);
}

long reg_query_value(RegKey key, const WideString& name, std::uint32_t* type, std::uint8_t* data,
                     std::uint32_t* size) {
  auto& m = sim::machine();
  std::shared_ptr<sim::RegKeyNode> node;
  std::string path;
  if (!resolve(key, node, path)) return kErrorInvalidHandle;
  if (auto code = m.check(sim::Call::RegQueryValue, path + "\\" + wide_to_ansi(name)))
    return static_cast<long>(*code);
  if (node->deleted) return kErrorKeyDeleted;
  const WideString upper = sim::upper_wide(name);
  auto it = std::find_if(node->values.begin(), node->values.end(),
                         [&](const auto& value) { return sim::upper_wide(value.name) == upper; });
  if (it == node->values.end()) return kErrorFileNotFound;
  const auto needed = static_cast<std::uint32_t>(it->data.size());
  if (type) *type = it->type;
  if (!data) {
    if (size) *size = needed;
    return kErrorSuccess;
  }
  if (!size) return kErrorInvalidParameter;
  if (*size < needed) {
    *size = needed;
    return kErrorMoreData;
  }
  std::memcpy(data, it->data.data(), needed);
  *size = needed;
  return kErrorSuccess;
}

std::string system_message(std::uint32_t code) {
  // Windows' English texts for the codes the sim can produce.
  static const std::map<std::uint32_t, std::string> texts = {
      {2, "The system cannot find the file specified."},
      {3, "The system cannot find the path specified."},
      {5, "Access is denied."},
      {6, "The handle is invalid."},
      {8, "Not enough memory resources are available to process this command."},
      {18, "There are no more files."},
      {21, "The device is not ready."},
      {32, "The process cannot access the file because it is being used by another process."},
      {87, "The parameter is incorrect."},
      {123, "The filename, directory name, or volume label syntax is incorrect."},
      {145, "The directory is not empty."},
      {161, "The specified path is invalid."},
      {234, "More data is available."},
      {259, "No more data is available."},
      {1018, "Illegal operation attempted on a registry key that has been marked for deletion."},
  };
  auto it = texts.find(code);
  return it == texts.end() ? std::string() : it->second;
}

}  // namespace platform
