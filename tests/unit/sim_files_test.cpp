// The sim's own file model: what the contract cases cannot show under Wine (faults,
// handle counts, folder links, the Recycle Bin's records, path forms).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/file_calls.h"
#include "platform/sim/machine.h"

namespace {

using sim::Call;
using Kind = sim::Machine::HandleKind;
namespace p = platform;

class SimFiles : public ::testing::Test {
 protected:
  sim::Machine& m = sim::reset();
  void SetUp() override {
    m.add_file("C:\\t\\a.txt", "abc");
    m.add_file("C:\\t\\sub\\b.txt", "b");
  }
};

p::FileOperation delete_operation(const std::string& item, std::uint32_t flags) {
  p::FileOperation operation;
  operation.function = p::kFoDelete;
  operation.from = item + std::string(2, '\0');
  operation.flags = flags;
  return operation;
}

TEST_F(SimFiles, EachCallFailsOnItsTargetAsPlanned) {
  struct Row {
    const char* name;
    Call call;
    std::string target;
    std::function<bool()> run;  // true when the call succeeded
  };
  const std::vector<Row> rows = {
      {"attributes", Call::GetFileAttributes, "C:\\t\\a.txt",
       [] { return p::get_file_attributes("C:\\t\\a.txt") != p::kInvalidFileAttributes; }},
      {"set attributes", Call::SetFileAttributes, "C:\\t\\a.txt",
       [] { return p::set_file_attributes("C:\\t\\a.txt", p::kFileAttributeNormal); }},
      {"delete", Call::DeleteFile, "C:\\t\\a.txt", [] { return p::delete_file("C:\\t\\a.txt"); }},
      {"remove folder", Call::RemoveDirectory, "C:\\t\\sub2",
       [] { return p::remove_directory("C:\\t\\sub2"); }},
      {"read", Call::ReadFile, "C:\\t\\a.txt",
       [] {
         std::string bytes;
         return p::read_whole_file("C:\\t\\a.txt", bytes) == 0 && bytes == "abc";
       }},
      {"find first", Call::FindFirstFile, "C:\\t\\*",
       [] {
         p::FindData data;
         const p::Handle search = p::find_first_file("C:\\t\\*", data);
         return search != p::kInvalidHandle && p::find_close(search);
       }},
      {"shell delete", Call::ShFileOperation, "C:\\t\\a.txt",
       [] {
         auto operation = delete_operation("C:\\t\\a.txt", 0x614);
         return p::sh_file_operation(operation) == 0;
       }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::Machine& machine = sim::reset();
    machine.add_file("C:\\t\\a.txt", "abc");
    machine.add_folder("C:\\t\\sub2");
    machine.add_file("C:\\t\\other.txt");
    machine.fail(row.call, 1234, 1, false, row.target);
    const auto before = machine.file_lines();
    EXPECT_FALSE(row.run());
    if (row.call != Call::ShFileOperation && row.call != Call::ReadFile) {
      EXPECT_EQ(machine.last_error, 1234u);
    }
    EXPECT_EQ(machine.file_lines(), before);
    EXPECT_EQ(machine.faults_injected(), 1);
    EXPECT_TRUE(row.run());  // once only
    EXPECT_EQ(machine.open_handles(Kind::Find), 0);
  }
}

TEST_F(SimFiles, FindHandlesAreCountedUntilClosed) {
  p::FindData data;
  const p::Handle search = p::find_first_file("C:\\t\\*", data);
  ASSERT_NE(search, p::kInvalidHandle);
  EXPECT_EQ(m.open_handles(Kind::Find), 1);
  m.fail(Call::FindNextFile, 5, 1, false, "C:\\t\\*");
  EXPECT_FALSE(p::find_next_file(search, data));
  EXPECT_EQ(m.last_error, 5u);
  EXPECT_TRUE(p::find_close(search));
  EXPECT_EQ(m.open_handles(Kind::Find), 0);
  EXPECT_FALSE(p::find_close(search));
  EXPECT_EQ(m.last_error, p::kErrorInvalidHandle);
  EXPECT_FALSE(p::find_next_file(search, data));
}

TEST_F(SimFiles, PathsResolveAgainstTheCurrentFolder) {
  m.current_directory = "C:\\t";
  for (const std::string path : {"C:\\t\\a.txt", "a.txt", "\\t\\a.txt", "C:a.txt", "C:/t/a.txt",
                                 "C:\\t\\.\\sub\\..\\a.txt", "sub\\..\\a.txt", "c:\\T\\A.TXT"}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(p::get_file_attributes(path), p::kFileAttributeArchive);
  }
  EXPECT_EQ(p::get_file_attributes("D:\\a.txt"), p::kInvalidFileAttributes);
  EXPECT_EQ(m.last_error, p::kErrorPathNotFound);
}

TEST_F(SimFiles, LinksLeadToTheirTargetButGoByThemselves) {
  m.add_folder_link("C:\\link", "C:\\t");
  EXPECT_EQ(p::get_file_attributes("C:\\link"),
            p::kFileAttributeDirectory | p::kFileAttributeReparsePoint);
  EXPECT_EQ(p::get_file_attributes("C:\\link\\sub\\b.txt"), p::kFileAttributeArchive);
  p::FindData data;
  const p::Handle search = p::find_first_file("C:\\link\\*.txt", data);
  ASSERT_NE(search, p::kInvalidHandle);
  EXPECT_EQ(data.name, "a.txt");
  p::find_close(search);

  EXPECT_TRUE(p::remove_directory("C:\\link"));
  EXPECT_FALSE(m.folder_exists("C:\\link"));
  EXPECT_TRUE(m.file_exists("C:\\t\\sub\\b.txt"));

  m.add_folder_link("C:\\link2", "C:\\t");
  auto operation = delete_operation("C:\\link2", 0x654);
  EXPECT_EQ(p::sh_file_operation(operation), 0);
  ASSERT_EQ(m.recycle_bin.size(), 1u);
  EXPECT_EQ(m.recycle_bin[0].node->link_target, "C:\\t");
  EXPECT_TRUE(m.file_exists("C:\\t\\sub\\b.txt"));
}

TEST_F(SimFiles, TheRecycleBinGetsEachItemWithItsPathAndTree) {
  auto operation = delete_operation("C:\\t\\*.*", 0x654);
  operation.from = std::string("C:\\t\\*.*\0C:\\missing\0\0", 21);
  EXPECT_EQ(p::sh_file_operation(operation), static_cast<int>(p::kErrorFileNotFound));
  ASSERT_EQ(m.recycle_bin.size(), 2u);
  EXPECT_EQ(m.recycle_bin[0].original_path, "C:\\t\\a.txt");
  EXPECT_EQ(m.recycle_bin[0].node->content, "abc");
  EXPECT_EQ(m.recycle_bin[1].original_path, "C:\\t\\sub");
  EXPECT_EQ(m.recycle_bin[1].node->children.at(0)->name, "b.txt");
  EXPECT_TRUE(m.folder_exists("C:\\t"));
  ASSERT_EQ(m.file_operations.size(), 1u);
  EXPECT_EQ(m.file_operations[0].from, operation.from);
  EXPECT_EQ(m.file_operations[0].flags, 0x654u);
}

TEST_F(SimFiles, AnOpenFileHoldsItsFoldersAgainstTheShell) {
  m.add_file("C:\\t\\sub\\c.txt");
  m.find_node("C:\\t\\sub\\b.txt")->locked = true;
  auto to_bin = delete_operation("C:\\t", 0x654);
  EXPECT_EQ(p::sh_file_operation(to_bin), static_cast<int>(p::kErrorSharingViolation));
  EXPECT_TRUE(m.recycle_bin.empty());  // a move takes the whole folder or nothing
  EXPECT_TRUE(m.file_exists("C:\\t\\sub\\c.txt"));

  auto gone = delete_operation("C:\\t", 0x614);
  EXPECT_EQ(p::sh_file_operation(gone), static_cast<int>(p::kErrorSharingViolation));
  std::vector<std::string> left;
  for (const auto& line : m.file_lines())
    if (line.rfind("C:\\t\\", 0) == 0) left.push_back(line);
  EXPECT_EQ(left, (std::vector<std::string>{"C:\\t\\", "C:\\t\\sub\\", "C:\\t\\sub\\b.txt 1"}));
}

TEST_F(SimFiles, ReadOnlyIsNotHonouredOnFolders) {
  m.add_folder("C:\\ro", p::kFileAttributeReadOnly);
  EXPECT_TRUE(p::remove_directory("C:\\ro"));
}

}  // namespace
