#include "platform/registry.h"

#include <algorithm>
#include <vector>

#include "errors.h"
#include "platform/codepage.h"

using namespace platform;

namespace {

constexpr std::uint32_t kKeyExistsAccess = kKeyQueryValue | kKeyEnumerateSubKeys | kReadControl;
// Windows' own limits on name lengths, with the NUL.
constexpr std::uint32_t kMaxKeyName = 256;
constexpr std::uint32_t kMaxValueName = 16384;

using EnumCall = long (*)(RegKey, std::uint32_t, char16_t*, std::uint32_t&);

// Lists names with a buffer sized from the key's reported longest name; a name that
// grew since (another program writing meanwhile) gets one retry at Windows' limit.
void fill_names(RegKey key, EnumCall next, std::uint32_t longest, std::uint32_t limit,
                StringList& list) {
  list.clear();
  std::vector<char16_t> buffer(longest + 1);
  for (std::uint32_t index = 0;; ++index) {
    auto length = static_cast<std::uint32_t>(buffer.size());
    long status = next(key, index, buffer.data(), length);
    if (status == static_cast<long>(kErrorMoreData) && buffer.size() < limit) {
      buffer.resize(limit);
      length = limit;
      status = next(key, index, buffer.data(), length);
    }
    if (status == static_cast<long>(kErrorNoMoreItems)) return;
    if (status != static_cast<long>(kErrorSuccess))
      throw ERegistryException(system_message(static_cast<std::uint32_t>(status)));
    list.add(wide_to_ansi(WideString(buffer.data(), length)));
  }
}

std::uint32_t g_view = 0;

}  // namespace

void platform::set_registry_view(std::uint32_t view) { g_view = view; }
std::uint32_t platform::registry_view() { return g_view; }

Registry::Registry(RegKey root, std::uint32_t access) : root_(root), access_(access) {}

// A view the accessor was made with wins over the run's: one key (the profile list) is
// the machine's, whichever pass reads it; both flags at once would be refused.
std::uint32_t Registry::view() const {
  const std::uint32_t own = access_ & (kKeyWow6464Key | kKeyWow6432Key);
  return own != 0 ? own : g_view;
}

RegKey Registry::current_or_root() const { return current_.valid() ? current_.get() : root_; }

RegKey Registry::base_for(const std::string& path, std::string& relative) const {
  // RegOpenKeyExW refuses a leading backslash (161): strip it and start from the root.
  if (!path.empty() && path.front() == '\\') {
    relative = path.substr(1);
    return root_;
  }
  relative = path;
  return current_or_root();
}

bool Registry::key_exists(const std::string& path) const {
  std::string relative;
  const RegKey base = base_for(path, relative);
  RegKey key = 0;
  if (reg_open_key(base, ansi_to_wide(relative), kKeyExistsAccess | view(), key) != 0) return false;
  reg_close_key(key);
  return true;
}

bool Registry::key_missing(const std::string& path) const {
  std::string relative;
  const RegKey base = base_for(path, relative);
  RegKey key = 0;
  const long status = reg_open_key(base, ansi_to_wide(relative), kKeyExistsAccess | view(), key);
  if (status == 0) reg_close_key(key);
  return status == static_cast<long>(kErrorFileNotFound);
}

bool Registry::open_read_only(const std::string& path) {
  std::string relative;
  const RegKey base = base_for(path, relative);
  RegKey key = 0;
  if (reg_open_key(base, ansi_to_wide(relative), kKeyRead | view(), key) != 0) return false;
  current_.reset(key);
  return true;
}

void Registry::subkey_names(StringList& list) const {
  RegKeyInfo info;
  const long status = reg_query_info_key(current_or_root(), info);
  if (status != 0) throw ERegistryException(system_message(static_cast<std::uint32_t>(status)));
  fill_names(current_or_root(), reg_enum_key, info.max_subkey_length, kMaxKeyName, list);
}

void Registry::value_names(StringList& list) const {
  RegKeyInfo info;
  const long status = reg_query_info_key(current_or_root(), info);
  if (status != 0) throw ERegistryException(system_message(static_cast<std::uint32_t>(status)));
  fill_names(current_or_root(), reg_enum_value, info.max_value_name_length, kMaxValueName, list);
}

bool Registry::value_exists(const std::string& name) const {
  return reg_query_value(current_or_root(), ansi_to_wide(name), nullptr, nullptr, nullptr) == 0;
}

std::string Registry::read_string(const std::string& name) const {
  return read_string_if_known(name).value_or(std::string());
}

std::optional<std::string> Registry::read_string_if_known(const std::string& name) const {
  const WideString wide_name = ansi_to_wide(name);
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  const long status = reg_query_value(current_or_root(), wide_name, &type, nullptr, &size);
  if (status == static_cast<long>(kErrorFileNotFound)) return std::string();
  if (status != 0) return std::nullopt;
  if (size == 0) return std::string();
  std::vector<std::uint8_t> data(size);
  if (reg_query_value(current_or_root(), wide_name, &type, data.data(), &size) != 0)
    throw ERegistryException("Failed to get data for value \"" + name + "\"");
  if (type != kRegSz && type != kRegExpandSz)
    throw ERegistryException("Invalid registry data type: \"" + name + "\"");
  WideString text;
  text.reserve(size / 2);
  for (std::uint32_t i = 0; i + 1 < size; i += 2) {
    const auto c = static_cast<char16_t>(data[i] | data[i + 1] << 8);
    if (c == u'\0') break;  // stored data may or may not carry its NUL
    text += c;
  }
  return wide_to_ansi(text);
}

void Registry::close_key() { current_.reset(); }
