// The folder lister over a small simulated tree: any PATH (folder part and ";"-masks)
// lists only entries that exist, never "." or "..", changes nothing and leaves no
// search open. The split itself is not exposed, so BUILDFILELIST is fuzzed whole.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "fonction.h"
#include "fuzz_check.h"
#include "platform/sim/machine.h"

namespace {

sim::Machine& small_tree() {
  sim::Machine& m = sim::reset();
  m.add_file("C:\\d\\a.txt");
  m.add_file("C:\\d\\B.TXT", "", platform::kFileAttributeReadOnly);
  m.add_file("C:\\d\\noext");
  m.add_file("C:\\d\\sub\\inner.dat");
  m.add_folder("C:\\d\\empty", platform::kFileAttributeHidden);
  m.add_folder_link("C:\\d\\link", "C:\\d\\sub");
  m.add_file("C:\\root.ini");
  m.current_directory = "C:\\d";
  return m;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto attributes = input.ConsumeIntegral<std::uint32_t>();
  const bool with_folder = input.ConsumeBool();
  const std::string path = input.ConsumeRemainingBytesAsString();

  sim::Machine& m = small_tree();
  const auto files_before = m.file_lines();
  StringList list;
  BUILDFILELIST(path, attributes, list, with_folder);

  FUZZ_CHECK(!list.updating());
  FUZZ_CHECK(m.open_handles() == 0);
  FUZZ_CHECK(m.file_lines() == files_before);
  FUZZ_CHECK(list.count() <= 7);  // the most entries one folder of the tree holds
  for (const auto& item : list.items()) {
    const std::size_t cut = item.find_last_of("\\/:");
    const std::string name = cut == std::string::npos ? item : item.substr(cut + 1);
    FUZZ_CHECK(!name.empty() && name != "." && name != "..");
    if (!with_folder) FUZZ_CHECK(name == item);
  }
  return 0;
}
