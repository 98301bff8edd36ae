// The contract world over the sim's machine.
#include "platform/sim/machine.h"
#include "platform/sim/registry_views.h"
#include "tests/contract/registry_world.h"

namespace world {

const bool kUnderWine = false;

void begin() { sim::reset(); }

void create_key(platform::RegKey root, const std::string& path) {
  sim::machine().add_key(root, path);
}

void set_value(platform::RegKey root, const std::string& path, const std::string& name,
               std::uint32_t type, const std::string& bytes) {
  sim::machine().set_value(root, path, name, type, bytes);
}

void delete_tree(platform::RegKey root, const std::string& path) {
  sim::machine().delete_key(root, path);
}

namespace {

// Where an open with `view_flag` stores `path` on the sim's kind of Windows.
std::string stored_path(platform::RegKey root, const std::string& path, std::uint32_t view_flag) {
  auto& m = sim::machine();
  if (!sim::opens_32bit_view(m, view_flag)) return path;
  if (root == platform::kHkeyLocalMachine) return sim::path_in_32bit_view(path);
  // HKCR is HKLM\SOFTWARE\Classes: map it there and back.
  const std::string stored = sim::path_in_32bit_view("SOFTWARE\\Classes\\" + path);
  return stored.substr(17);
}

}  // namespace

void set_string_in_view(platform::RegKey root, const std::string& path, const std::string& name,
                        const std::string& ascii_text, std::uint32_t view_flag) {
  sim::machine().set_string(root, stored_path(root, path, view_flag), name, ascii_text);
}

void delete_tree_in_view(platform::RegKey root, const std::string& path, std::uint32_t view_flag) {
  sim::machine().delete_key(root, stored_path(root, path, view_flag));
}

std::vector<WindowsKind> windows_kinds() {
  return {{"32-bit Windows", false, false},
          {"64-bit Windows, 32-bit program", true, false},
          {"64-bit Windows, 64-bit program", true, true}};
}

void become(const WindowsKind& kind) {
  sim::reset();
  sim::machine().windows_is_64_bit = kind.windows_64_bit;
  sim::machine().program_is_64_bit = kind.program_64_bit;
}

std::uint32_t ansi_code_page() { return 1252; }  // the sim's only code page

}  // namespace world
