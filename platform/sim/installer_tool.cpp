#include "platform/sim/installer_tool.h"

#include <algorithm>

#include "platform/registry_calls.h"
#include "platform/sim/registry_views.h"

namespace sim {

namespace {

constexpr std::uint32_t kErrorInvalidCommandLine = 1639;
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// The product code after "/x" or "/X", blanks allowed in between; "" when absent.
std::string removal_code(const std::string& parameters) {
  for (std::size_t at = 0; at + 1 < parameters.size(); ++at) {
    if (parameters[at] != '/' || (parameters[at + 1] != 'x' && parameters[at + 1] != 'X')) continue;
    std::size_t open = at + 2;
    while (open < parameters.size() && (parameters[open] == ' ' || parameters[open] == '\t'))
      ++open;
    if (open >= parameters.size() || parameters[open] != '{') continue;
    const std::size_t close = parameters.find('}', open);
    if (close != std::string::npos) return parameters.substr(open, close - open + 1);
  }
  return {};
}

// Deletes a file (never a folder) straight from the tree.
void delete_file_node(Machine& m, const std::string& path) {
  const auto cut = path.find_last_of('\\');
  if (cut == std::string::npos) return;
  FileNode* folder = m.find_node(path.substr(0, cut));
  if (!folder || !folder->is_folder()) return;
  const std::string name = upper_ansi(path.substr(cut + 1));
  auto& children = folder->children;
  children.erase(std::remove_if(children.begin(), children.end(),
                                [&](const auto& child) {
                                  return !child->is_folder() && upper_ansi(child->name) == name;
                                }),
                 children.end());
}

}  // namespace

bool is_installer_tool(Machine& m, const std::string& file) {
  return !m.system_directory.empty() &&
         equal_ignoring_case(file, m.system_directory + "\\Msiexec.exe");
}

std::uint32_t run_installer_tool(Machine& m, const std::string& parameters) {
  const std::string code = removal_code(parameters);
  if (code.empty()) return kErrorInvalidCommandLine;
  auto product = std::find_if(m.products.begin(), m.products.end(),
                              [&](const Product& p) { return equal_ignoring_case(p.code, code); });
  if (product == m.products.end()) return m.installer_exit_code_for_unknown;
  if (product->removal_exit_code != 0) return product->removal_exit_code;
  for (const auto& [root, path] : product->keys) m.delete_key(root, path);
  for (const auto& file : product->files) delete_file_node(m, file);
  m.delete_key(platform::kHkeyLocalMachine,
               path_in_view(kUninstallKey + product->code, product->in_32bit_view));
  const std::uint32_t status = product->removed_exit_code;
  m.products.erase(product);
  return status;
}

}  // namespace sim
