// Whole runs with one call failing: for each machine, each call kind, the Nth call
// failing once and from then on, N = 1, 2, ... until the run no longer reaches the Nth
// call, with the error codes Windows gives for that kind taken in turn (so every code
// fails at many positions, and each position runs once per mode). Every run must end as
// that failure allows, remove nothing but the suite's, and release everything it opened.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "fault_outcomes.h"
#include "fault_worlds.h"
#include "platform/registry_calls.h"
#include "run/run_sequence.h"
#include "run_audit.h"
#include "suite_world.h"

namespace {

using fault_outcomes::Outcome;
using sim::Call;

constexpr int kCallKinds = static_cast<int>(Call::Count_);
constexpr int kOutcomes = static_cast<int>(Outcome::Count_);
constexpr int kMostCalls = 100000;  // a run never makes this many calls of one kind
constexpr int kReportedDefects = 12;

struct PlannedFault {
  Call call;
  std::uint32_t code;
  int nth;
  bool persistent;
};

struct Ending {
  int status = 0;
  Outcome outcome = Outcome::Unexplained;
  std::string message;  // the box's error line after "Class: "
  int injected = 0;
  std::array<int, kCallKinds> calls{};
};

std::string describe(const PlannedFault& fault) {
  return std::string(sim::call_name(fault.call)) + " #" + std::to_string(fault.nth) + " code " +
         std::to_string(fault.code) + (fault.persistent ? " from then on" : " once");
}

bool hit_cleanup_target(const sim::Machine& m) {
  for (const auto& fault : m.faults)
    for (const auto& target : fault.injected_at)
      if (fault_outcomes::is_cleanup_target(target)) return true;
  return false;
}

std::string box_message(const sim::Machine& m) {
  if (m.message_boxes.empty()) return {};
  const std::string& text = m.message_boxes[0].text;
  const auto colon = text.find(": ", text.find('\n') == std::string::npos ? 0 : text.find('\n'));
  return colon == std::string::npos ? text : text.substr(colon + 2);
}

class FaultMatrix : public ::testing::TestWithParam<fault_worlds::World> {
 protected:
  // One whole run on a fresh machine; every broken rule goes into `defects`.
  Ending run(const std::optional<PlannedFault>& fault) {
    sim::Machine& m = sim::reset();
    GetParam().build(m);
    if (!fault) before_ = audit::take(m);  // the same for every run: the world is built alike
    const audit::State& before = before_;
    if (fault) m.fail(fault->call, fault->code, fault->nth, fault->persistent);

    Ending ending;
    ending.status = quorvalis_main({"/quiet"});
    ending.outcome = fault_outcomes::classify(ending.status, m, GetParam().view);
    ending.message = box_message(m);
    ending.injected = m.faults_injected();
    for (int kind = 0; kind < kCallKinds; ++kind) ending.calls[kind] = m.calls[kind];

    std::vector<std::string> problems;
    if (ending.outcome == Outcome::Unexplained)
      problems.push_back("unexplained ending, status " + std::to_string(ending.status) + ", " +
                         std::to_string(m.message_boxes.size()) + " boxes " + ending.message);
    if (fault && ending.injected > 0) {
      const bool as_without = ending.outcome == baseline_.outcome && ending.message == baseline_.message;
      if (!as_without && !fault_outcomes::can_cause(fault->call, fault->code, ending.outcome))
        problems.push_back(std::string("this failure cannot end the run as: ") +
                           fault_outcomes::outcome_name(ending.outcome) + " " + ending.message);
      else if (!as_without && !fault_outcomes::message_fits(fault->call, fault->code, ending.outcome,
                                                            ending.message))
        problems.push_back("wrong message: " + ending.message);
    }
    if (m.open_handles() != 0)
      problems.push_back(std::to_string(m.open_handles()) + " handles left open");
    for (const auto& change : audit::unexpected_changes(before, m, allowed_))
      problems.push_back(change);
    // The suite's package or one of its family's.
    const bool package_left = !audit::packages_left(m, allowed_).empty();
    const bool told_absent = fault && fault_outcomes::answers_absent(fault->call, fault->code);
    if (package_left && !told_absent && !audit::cleanup_untouched(before, m, allowed_))
      problems.push_back("cleaned up although a package of the suite is still installed");
    else if (ending.outcome == Outcome::RemovalFailed && !audit::cleanup_untouched(before, m, allowed_))
      problems.push_back("cleaned up after a failed removal");
    if (ending.outcome == Outcome::InstallerBusy && !audit::untouched(before, m))
      problems.push_back("touched the machine although another installation runs");
    const bool cleanup_may_fail = fault && (fault_outcomes::is_cleanup_call(fault->call) ||
                                            hit_cleanup_target(m));
    if (ending.outcome == Outcome::Removed && !cleanup_may_fail &&
        !audit::cleanup_complete(before, m, allowed_))
      problems.push_back("removed, but the cleanup left shortcuts or folders behind");

    if (!problems.empty()) {
      ++defects_;
      if (defects_ <= kReportedDefects) {
        std::string text = std::string(GetParam().name) + ": " +
                           (fault ? describe(*fault) : std::string("no fault")) + " -> status " +
                           std::to_string(ending.status);
        for (const auto& problem : problems) text += "\n    " + problem;
        ADD_FAILURE() << text;
      }
    }
    ++runs_;
    injected_ += ending.injected;
    ++outcomes_[static_cast<int>(ending.outcome)];
    return ending;
  }

  void print_figures(const std::array<int, kCallKinds>& reached) const {
    std::printf("fault matrix on %s: %d runs, %ld faults injected, %d runs with defects\n",
                GetParam().name, runs_, injected_, defects_);
    std::printf("  outcomes:");
    for (int o = 0; o < kOutcomes; ++o)
      if (outcomes_[o] > 0)
        std::printf(" %s %d;", fault_outcomes::outcome_name(static_cast<Outcome>(o)), outcomes_[o]);
    std::printf("\n  calls of each kind in the fault-free run:");
    for (int kind = 0; kind < kCallKinds; ++kind)
      std::printf(" %s %d;", sim::call_name(static_cast<Call>(kind)), reached[kind]);
    std::printf("\n");
    std::fflush(stdout);
  }

  const audit::Allowed allowed_ = GetParam().allowed();
  audit::State before_;
  Ending baseline_;
  int runs_ = 0;
  long injected_ = 0;
  int defects_ = 0;
  std::array<int, kOutcomes> outcomes_{};
};

TEST_P(FaultMatrix, EveryFailingCallEndsAsAllowedAndLosesNothing) {
  baseline_ = run(std::nullopt);
  ASSERT_NE(baseline_.outcome, Outcome::Unexplained);

  for (int kind = 0; kind < kCallKinds; ++kind) {
    const auto call = static_cast<Call>(kind);
    const auto& codes = fault_outcomes::codes_for(call);
    for (const bool persistent : {false, true}) {
      int nth = 1;
      for (; nth <= kMostCalls; ++nth) {
        const std::uint32_t code = codes[(static_cast<std::size_t>(nth) + persistent) % codes.size()];
        if (run(PlannedFault{call, code, nth, persistent}).injected == 0) break;
      }
      // Runs agree with the fault-free one up to the failing call: the first N not
      // reached is one past the calls that run made.
      EXPECT_EQ(nth - 1, baseline_.calls[kind]) << sim::call_name(call) << (persistent ? " persistent" : "");
    }
  }
  print_figures(baseline_.calls);
  EXPECT_EQ(defects_, 0) << "runs that broke a rule (the first " << kReportedDefects << " shown above)";
}

INSTANTIATE_TEST_SUITE_P(Worlds, FaultMatrix, ::testing::ValuesIn(fault_worlds::worlds()),
                         [](const auto& world_info) { return std::string(world_info.param.name); });

}  // namespace

// Single faults the matrix found, on their own.
namespace {

using platform::kHkeyLocalMachine;
const std::string kRecord = "HKLM\\" + world::kUninstallKey + world::kProductCode;

sim::Machine& refusing_machine() {
  sim::Machine& m = sim::reset();
  world::typical_machine(m);
  for (auto& product : m.products)
    if (product.code == world::kProductCode) product.removal_exit_code = 1603;
  return m;
}

bool nothing_cleaned_up(sim::Machine& m) {
  return m.recycle_bin.empty() && m.folder_exists(world::kFolder) &&
         m.file_exists(world::kDesktop + "\\LibreOffice Writer.lnk");
}

TEST(FaultFindings, ARecordThatCannotBeOpenedAfterTheInstallerRanIsStillThere) {
  // The last open of the record is the check after the installer ran; it and every
  // later open of the record are refused.
  int opens = 0;
  {
    sim::Machine& counting = refusing_machine();
    counting.record_calls = true;
    quorvalis_main({"/quiet"});
    for (const auto& [call, target] : counting.call_log)
      opens += call == Call::RegOpenKey && sim::equal_ignoring_case(target, kRecord);
  }
  sim::Machine& m = refusing_machine();
  m.fail(Call::RegOpenKey, platform::kErrorAccessDenied, opens, true, kRecord);
  EXPECT_EQ(quorvalis_main({"/quiet"}), 1603);
  EXPECT_GE(m.faults_injected(), 1);
  EXPECT_TRUE(nothing_cleaned_up(m));
}

TEST(FaultFindings, AnUnreadableSuiteRecordIsNotMistakenForTheHelpPack) {
  struct Row {
    const char* name;
    bool listed;  // the installer lists the suite's products under its upgrade code
    int status;
  };
  // The search passes over the unreadable record. The installer's list says the help
  // pack's is not the suite's: nothing is taken for it, and the run says it found no
  // suite it can remove. Without the list the help pack's is taken: the help pack goes,
  // but the suite's own registration stays, and the run reports the failure.
  const Row rows[] = {{"listed", true, kSuiteNotFoundStatus}, {"no list", false, 1603}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    sim::Machine& m = sim::reset();
    world::typical_machine(m);
    if (!row.listed) m.delete_key(kHkeyLocalMachine, "SOFTWARE\\Classes\\Installer");
    m.find_key(kHkeyLocalMachine, world::kUninstallKey + world::kProductCode)->open_denied = true;
    EXPECT_EQ(quorvalis_main({"/quiet"}), row.status);
    EXPECT_TRUE(nothing_cleaned_up(m)) << "the suite's folder went while its package stays installed";
    EXPECT_TRUE(m.key_exists(kHkeyLocalMachine, world::kUninstallKey + world::kProductCode));
    EXPECT_EQ(m.key_exists(kHkeyLocalMachine, world::kUninstallKey + world::kHelpCode), row.listed);
  }
}

}  // namespace
