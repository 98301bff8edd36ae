// Cost of one uninstall-record search over machines with many records, the match last.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "platform/registry_calls.h"
#include "platform/sim/machine.h"
#include "records/uninstall_search.h"

namespace {

void build_records(sim::Machine& m, int count) {
  const std::string root = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
  char name[64];
  for (int i = 0; i < count - 1; ++i) {
    std::snprintf(name, sizeof name, "{%08X-0000-0000-0000-000000000000}", i);
    m.set_string(platform::kHkeyLocalMachine, root + name, "DisplayName", "Some Product " + std::to_string(i));
    m.set_string(platform::kHkeyLocalMachine, root + name, "UninstallString", "MsiExec.exe /I" + std::string(name));
  }
  m.set_string(platform::kHkeyLocalMachine, root + "{FFFFFFFF-0000-0000-0000-000000000000}", "DisplayName",
               "LibreOffice 7.6.4.1");
  m.set_string(platform::kHkeyLocalMachine, root + "{FFFFFFFF-0000-0000-0000-000000000000}", "UninstallString",
               "MsiExec.exe /I{FFFFFFFF-0000-0000-0000-000000000000}");
}

void BM_SearchLastRecord(benchmark::State& state) {
  sim::Machine& m = sim::reset();
  build_records(m, static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(RECH_PROG("LibreOffice 7.6", "DisplayName", "UninstallString"));
  state.SetComplexityN(state.range(0));
  state.counters["records"] = static_cast<double>(state.range(0));
  state.counters["per_record"] =
      benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate |
                                                                  benchmark::Counter::kInvert);
}
BENCHMARK(BM_SearchLastRecord)->Arg(100)->Arg(1000)->Arg(10000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
