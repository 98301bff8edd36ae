// Generated spellings of every folder of a machine against the cleanup's guards: no
// spelling of anything the machine must keep may be admitted, judged by where it
// leads (guard_world's model), not by its text. The same seed gives the same
// spellings on every run.
//
// The guards only ask the system for a folder's final path; how the sim resolves the
// spellings (as Windows does, platform/sim/paths.h) decides what this test can
// show. A spelling the sim cannot resolve is refused for want of a final path, which
// is safe but shows nothing, so the spellings here are ones Windows resolves.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "guard_world.h"
#include "removal/cleanup_guards.h"
#include "removal/cleanup_stage.h"

namespace {

constexpr unsigned kSeed = 20260214;
constexpr int kSpellingsPerFolder = 250;
constexpr int kReported = 10;

// The guards as the cleanup applies them to a recorded installation folder.
bool admitted(const std::string& folder, const KeptFolders& kept) {
  return is_removable_folder(folder, kept.with_ancestors) && really_removable(folder, kept);
}

TEST(FolderGuardProperty, NoSpellingOfAKeptFolderIsAdmitted) {
  sim::Machine& m = sim::reset();
  guard_world::build(m);
  const KeptFolders kept = kept_folders();
  ASSERT_TRUE(kept.profiles_known);
  std::mt19937 random(kSeed);
  const guard_world::Choose choose = [&](unsigned bound) {
    return static_cast<unsigned>(random() % bound);
  };

  int dangerous = 0, admitted_safe = 0, real_only_admitted = 0, failures = 0;
  for (const auto& folder : guard_world::folders()) {
    for (int i = 0; i < kSpellingsPerFolder; ++i) {
      const std::string spelling = guard_world::spelling(folder, choose);
      const bool danger = guard_world::dangerous(m, spelling);
      // The real location alone must hold: the text rules refuse most odd spellings
      // before it is asked, and must not be what keeps a folder.
      const bool by_real_location = really_removable(spelling, kept);
      const bool by_both = admitted(spelling, kept);
      dangerous += danger;
      real_only_admitted += by_real_location;
      admitted_safe += by_both && !danger;
      if (danger && (by_real_location || by_both) && ++failures <= kReported)
        ADD_FAILURE() << "admitted \"" << spelling << "\" (aimed at " << folder << ")"
                      << (by_both ? "" : " by its real location alone");
    }
  }
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(m.open_handles(), 0);
  // The test shows something only if both kinds of spelling occur, and the text rules,
  // which refuse every odd spelling, leave the real location much to judge.
  EXPECT_GT(dangerous, kSpellingsPerFolder * 10);
  EXPECT_GT(real_only_admitted, kSpellingsPerFolder * 2);
  EXPECT_GT(admitted_safe, 20);
  std::printf("%zu folders x %d spellings: %d dangerous, %d admitted by the real location, "
              "%d admitted by both guards\n",
              guard_world::folders().size(), kSpellingsPerFolder, dangerous, real_only_admitted,
              admitted_safe);
}

TEST(FolderGuardProperty, EveryFolderOutsideTheModelIsAdmittedAsStored) {
  // The other side: the guards keep no more than they must.
  sim::Machine& m = sim::reset();
  guard_world::build(m);
  const KeptFolders kept = kept_folders();
  for (const auto& folder : guard_world::folders()) {
    SCOPED_TRACE(folder);
    EXPECT_EQ(admitted(folder, kept), !guard_world::dangerous(m, folder));
    EXPECT_EQ(admitted(folder + "\\", kept), !guard_world::dangerous(m, folder));
  }
}

TEST(FolderGuardProperty, WholeCleanupsKeepWhatTheModelKeeps) {
  // Whole cleanups on a fresh machine each, for a sample of the spellings: whatever
  // the shell was asked to delete, nothing the model keeps changed.
  std::mt19937 random(kSeed + 1);
  const guard_world::Choose choose = [&](unsigned bound) {
    return static_cast<unsigned>(random() % bound);
  };
  int recycled = 0;
  for (const auto& folder : guard_world::folders()) {
    for (int i = 0; i < 20; ++i) {
      sim::Machine& m = sim::reset();
      guard_world::build(m);
      const std::string spelling = guard_world::spelling(folder, choose);
      SCOPED_TRACE(spelling);
      const bool danger = guard_world::dangerous(m, spelling);
      NETTOIE_LIBREOFFICE(spelling, "..");  // a key that names nothing
      recycled += !m.recycle_bin.empty();
      if (danger) {
        EXPECT_TRUE(m.recycle_bin.empty());
        EXPECT_TRUE(m.file_operations.empty());
      }
      EXPECT_TRUE(m.file_exists("C:\\Windows\\Fonts\\arial.ttf"));
      EXPECT_TRUE(m.file_exists("C:\\Users\\alice\\Documents\\thesis.odt"));
      EXPECT_TRUE(m.file_exists("C:\\Users\\dave\\notes.txt"));
      EXPECT_TRUE(m.file_exists("E:\\LibreOffice\\readme.txt"));
      EXPECT_EQ(m.open_handles(), 0);
    }
  }
  EXPECT_GT(recycled, 2);
}

}  // namespace
