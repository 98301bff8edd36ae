// The file world over the sim's drives.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

#include "platform/file_calls.h"
#include "platform/sim/machine.h"
#include "tests/contract/file_world.h"

namespace file_world {

const bool kUnderWine = false;

namespace {

std::string case_name() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  return std::string(test->test_suite_name()) + "_" + test->name();
}

sim::FileNode& node(const std::string& path) {
  sim::FileNode* found = sim::machine().find_node(path);
  if (!found) throw std::runtime_error("no such entry: " + path);
  return *found;
}

void collect(const sim::FileNode& from, const std::string& prefix, std::vector<std::string>& out) {
  for (const auto& child : from.children) {
    const std::string name = prefix + child->name;
    out.push_back(child->is_folder() ? name + "\\" : name);
    if (child->is_folder()) collect(*child, name + "\\", out);
  }
}

}  // namespace

std::string unused_drive_root() {
  const sim::Machine& m = sim::machine();
  for (char letter = 'Z'; letter >= 'D'; --letter)
    if (!m.drives.count(letter) && !m.substituted_drives.count(letter))
      return std::string(1, letter) + ":\\";
  throw std::runtime_error("every drive letter is taken");
}

void set_environment(const std::string& name, const std::string& value) {
  sim::machine().set_environment(name, value);
}

World::World() : root_("C:\\quorvalis-contract\\" + case_name()) {
  sim::Machine& m = sim::reset();
  m.add_folder(root_);
  m.current_directory = "C:\\";
}

World::~World() = default;

void World::add_folder(const std::string& relative) { sim::machine().add_folder(path(relative)); }

void World::add_file(const std::string& relative, const std::string& content) {
  sim::machine().add_file(path(relative), content);
}

void World::set_attributes(const std::string& relative, std::uint32_t attributes) {
  sim::FileNode& entry = node(path(relative));
  entry.attributes = (entry.attributes &
                      (platform::kFileAttributeDirectory | platform::kFileAttributeReparsePoint)) |
                     (attributes & ~platform::kFileAttributeNormal);
}

void World::lock(const std::string& relative) {
  node(path(relative)).locked = true;
  lock_ = 1;
}

void World::unlock() {
  std::function<void(sim::FileNode&)> open_all = [&](sim::FileNode& entry) {
    entry.locked = false;
    for (auto& child : entry.children) open_all(*child);
  };
  if (sim::FileNode* top = sim::machine().find_node(root_)) open_all(*top);
  lock_ = 0;
}

bool World::add_folder_link(const std::string& relative, const std::string& target_relative) {
  sim::machine().add_folder_link(path(relative), path(target_relative));
  return true;
}

bool World::exists(const std::string& relative) const {
  return sim::machine().find_node(path(relative)) != nullptr;
}

std::vector<std::string> World::entries() const {
  std::vector<std::string> out;
  if (const sim::FileNode* top = sim::machine().find_node(root_)) collect(*top, "", out);
  std::sort(out.begin(), out.end());
  return out;
}

std::optional<std::vector<std::string>> World::recycled(const std::string& relative) const {
  for (const auto& item : sim::machine().recycle_bin) {
    if (!sim::equal_ignoring_case(item.original_path, path(relative))) continue;
    const std::string name = relative.substr(relative.find_last_of('\\') + 1);
    std::vector<std::string> out{item.node->is_folder() ? name + "\\" : name};
    collect(*item.node, name + "\\", out);
    std::sort(out.begin(), out.end());
    return out;
  }
  return std::nullopt;
}

}  // namespace file_world
