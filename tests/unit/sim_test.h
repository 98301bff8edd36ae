// A fresh simulated machine for every test.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/registry_calls.h"
#include "platform/sim/machine.h"

class SimTest : public ::testing::Test {
 protected:
  sim::Machine& m = sim::reset();
  static constexpr platform::RegKey HKLM = platform::kHkeyLocalMachine;
  static constexpr platform::RegKey HKCR = platform::kHkeyClassesRoot;
};

// The Recycle Bin by what it received: the shell sends a folder's entries one by one and
// then the emptied folder, so the roots are the items not below another item.
inline std::vector<std::string> recycled_roots(const sim::Machine& machine) {
  std::vector<std::string> roots;
  for (const auto& item : machine.recycle_bin) {
    bool below = false;
    for (const auto& other : machine.recycle_bin)
      if (sim::upper_ansi(item.original_path).rfind(sim::upper_ansi(other.original_path) + "\\", 0) == 0) below = true;
    if (!below) roots.push_back(item.original_path);
  }
  return roots;
}

// Every file the bin holds, by its original path.
inline std::vector<std::string> recycled_files(const sim::Machine& machine) {
  std::vector<std::string> files;
  std::function<void(const sim::FileNode&, const std::string&)> walk = [&](const sim::FileNode& node,
                                                                         const std::string& path) {
    if (!node.is_folder()) files.push_back(path);
    for (const auto& child : node.children) walk(*child, path + "\\" + child->name);
  };
  for (const auto& item : machine.recycle_bin)
    if (item.node) walk(*item.node, item.original_path);
  return files;
}
