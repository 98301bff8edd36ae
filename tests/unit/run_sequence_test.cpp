#include <gmock/gmock.h>

#include "run/run_sequence.h"
#include "sim_test.h"
#include "suite_world.h"

namespace {

using RunSequenceTest = SimTest;

TEST_F(RunSequenceTest, OnlyAnExactFirstArgumentSelectsQuietRuns) {
  struct Row {
    const char* name;
    std::vector<std::string> arguments;
    const char* expected;
  };
  const Row rows[] = {
      {"no argument", {}, "/passive /norestart"},
      {"quiet", {"/quiet"}, "/quiet /norestart"},
      {"quiet and more", {"/quiet", "/x"}, "/quiet /norestart"},
      {"capitals", {"/QUIET"}, "/passive /norestart"},
      {"no slash", {"quiet"}, "/passive /norestart"},
      {"second argument only", {"/passive", "/quiet"}, "/passive /norestart"},
      {"empty first argument", {"", "/quiet"}, "/passive /norestart"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    SPARAM.clear();
    EXPECT_EQ(quorvalis_main(row.arguments), 0);
    EXPECT_EQ(SPARAM, row.expected);
  }
}

TEST_F(RunSequenceTest, NothingInstalledEndsAfterTheIdentifierLookup) {
  // A vendor key and records that a further lookup would find.
  world::add_vendor_location(m, world::kTdfVendor, "7.6", world::kFolder);
  world::add_package_record(m, world::kProductCode, world::kDisplayName);
  const auto files_before = m.file_lines();
  const auto registry_before = m.registry_lines();

  EXPECT_EQ(quorvalis_main({"/quiet"}), 0);

  EXPECT_EQ(m.call_count(sim::Call::ClsidFromProgId), 1);
  EXPECT_EQ(m.registry_calls(), 0);
  EXPECT_TRUE(m.launches.empty());
  EXPECT_EQ(m.call_count(sim::Call::GetFileAttributes), 0);
  EXPECT_EQ(m.file_lines(), files_before);
  EXPECT_EQ(m.registry_lines(), registry_before);
  EXPECT_TRUE(m.message_boxes.empty());
}

TEST_F(RunSequenceTest, AnErrorShowsTheBoxAndEndsWith217) {
  world::register_suite(m);
  m.set_dword(HKCR, "AppID\\{82154420-0FBF-11d4-8313-005004526AB4}", "", 1);

  EXPECT_EQ(quorvalis_main({}), 217);

  ASSERT_EQ(m.message_boxes.size(), 1u);
  EXPECT_EQ(m.message_boxes[0].caption, "Error");
  EXPECT_THAT(m.message_boxes[0].text,
              ::testing::MatchesRegex("An unhandled exception occurred at \\$[0-9A-F]{8}:\n"
                                      "ERegistryException: Invalid registry data type: \"\""));
  EXPECT_EQ(m.open_handles(), 0);
  EXPECT_TRUE(m.launches.empty());
}

TEST_F(RunSequenceTest, AnUnattendedRunSkipsTheBoxButStillEndsWith217) {
  world::register_suite(m);
  m.set_dword(HKCR, "AppID\\{82154420-0FBF-11d4-8313-005004526AB4}", "", 1);
  m.interactive = false;
  EXPECT_EQ(quorvalis_main({"/quiet"}), 217);
  EXPECT_TRUE(m.message_boxes.empty());
}

TEST(UnhandledErrorText, NamesTheAddressClassAndMessage) {
  EXPECT_EQ(unhandled_error_text("EFOpenError", "Unable to open file \"x\": y", 0x401A2Bu),
            "An unhandled exception occurred at $00401A2B:\nEFOpenError: Unable to open file \"x\": y");
}

}  // namespace
