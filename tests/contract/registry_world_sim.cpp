// The contract world over the sim's machine.
#include "platform/sim/machine.h"
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

std::uint32_t ansi_code_page() { return 1252; }  // the sim's only code page

}  // namespace world
