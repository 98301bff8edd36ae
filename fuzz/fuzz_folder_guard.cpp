// The cleanup's guards over any recorded folder on a machine whose folders go by many
// names (tests/unit/guard_world.h): a folder the model keeps, judged by where the
// path leads, is never admitted, by the real location alone or with the text rules;
// no handle stays open. Half the inputs are raw text, half a folder of the machine
// respelt by choices the input makes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "guard_world.h"
#include "removal/cleanup_guards.h"

namespace {

// The guards change nothing on the machine, so one machine serves every input.
const KeptFolders& kept() {
  static const KeptFolders folders = [] {
    guard_world::build(sim::reset());
    return kept_folders();
  }();
  return folders;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const KeptFolders& keep = kept();
  sim::Machine& m = sim::machine();
  FuzzedDataProvider input(data, size);
  std::string path;
  if (input.ConsumeBool()) {
    path = input.ConsumeRemainingBytesAsString();
  } else {
    const auto& folders = guard_world::folders();
    const std::string& folder = folders[input.ConsumeIntegralInRange<std::size_t>(0, folders.size() - 1)];
    path = guard_world::spelling(
        folder, [&](unsigned bound) { return input.ConsumeIntegralInRange<unsigned>(0, bound - 1); });
  }

  const bool by_real_location = really_removable(path, keep);
  const bool by_both = is_removable_folder(path, keep.with_ancestors) && by_real_location;
  if (guard_world::dangerous(m, path)) {
    FUZZ_CHECK(!by_real_location);
    FUZZ_CHECK(!by_both);
  }
  FUZZ_CHECK(m.open_handles() == 0);
  return 0;
}
