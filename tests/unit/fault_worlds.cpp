#include "fault_worlds.h"

#include "platform/registry_calls.h"
#include "suite_world.h"

namespace fault_worlds {

namespace {

using platform::kHkeyLocalMachine;

// Installed products of other vendors: each a record the installer can act on, with
// keys and files of its own, so that a wrong removal shows in the machine's state.
void add_other_products(sim::Machine& m) {
  struct Other {
    const char* code;
    const char* name;
    const char* vendor_key;
    const char* file;
  };
  const Other others[] = {
      {"{0B1C2D3E-0000-4000-8000-000000000001}", "Apache OpenOffice 4.1.15",
       "SOFTWARE\\OpenOffice\\4", "C:\\Program Files\\OpenOffice 4\\program\\soffice.exe"},
      {"{23170F69-40C1-2702-2301-000001000000}", "7-Zip 23.01 (x64 edition)",
       "SOFTWARE\\7-Zip", "C:\\Program Files\\7-Zip\\7z.exe"},
      {"{5A2B3C4D-7500-4000-8000-000000000075}", "LibreOffice 7.5.9.2",
       "SOFTWARE\\The Document Foundation\\LibreOffice 7.5", "C:\\Program Files\\LibreOffice 7.5\\program\\soffice.exe"},
      {"{F0E1D2C3-0000-4000-8000-0000000000FF}", "Java 8 Update 391",
       "SOFTWARE\\JavaSoft\\Java Runtime Environment", "C:\\Program Files\\Java\\jre-1.8\\bin\\java.exe"},
  };
  for (const auto& other : others)
    m.add_installed_product(other.code, other.name, {{kHkeyLocalMachine, other.vendor_key}}, {other.file});
  // Records without an installer package.
  m.add_uninstall_record("Mozilla Firefox 121.0 (x86 en-US)", "Mozilla Firefox (x86 en-US)",
                         "\"C:\\Program Files\\Mozilla Firefox\\uninstall\\helper.exe\"");
  m.add_uninstall_record("NoDisplayName", "", std::nullopt);
  m.add_process("firefox.exe");
  m.add_process("soffice.exe");
}

void typical(sim::Machine& m) { world::typical_machine(m); }

void several_records(sim::Machine& m) {
  world::typical_machine(m);
  add_other_products(m);
}

void help_pack_by_key(sim::Machine& m) {
  world::typical_machine(m);
  m.delete_key(kHkeyLocalMachine, world::kUninstallKey + world::kHelpCode);
  m.add_uninstall_record(world::kHelpCode, world::kProductKey + " Help Pack (French)", std::nullopt);
  m.set_string(kHkeyLocalMachine, world::kUninstallKey + world::kHelpCode, "Publisher", world::kPublisher);
}

void locked_bootstrap(sim::Machine& m) {
  world::typical_machine(m);
  m.find_node(world::kFolder + "program\\bootstrap.ini")->locked = true;
}

void installer_refuses(sim::Machine& m) {
  world::typical_machine(m);
  for (auto& product : m.products)
    if (product.code == world::kProductCode) product.removal_exit_code = 1603;
}

// The removal succeeds but leaves a restart to plan (3010).
void restart_required(sim::Machine& m) {
  world::typical_machine(m);
  for (auto& product : m.products)
    if (product.code == world::kProductCode) product.removed_exit_code = 3010;
}

// Another installation runs: the installer holds its mutex.
void installer_busy(sim::Machine& m) {
  world::typical_machine(m);
  m.add_mutex("Global\\_MSIExecute");
}

// 64-bit Windows: the run's first pass finds the suite, or only its second one does.
void wow64_32bit_suite(sim::Machine& m) {
  m.windows_is_64_bit = true;
  world::typical_machine(m, world::View::Wow6432);
}

void wow64_64bit_suite(sim::Machine& m) {
  m.windows_is_64_bit = true;
  world::typical_machine(m);
}

void x64_32bit_suite(sim::Machine& m) {
  m.windows_is_64_bit = true;
  m.program_is_64_bit = true;
  world::typical_machine(m, world::View::Wow6432);
}

// The suite's whole family: help packs of two more languages (the first enumerating
// before the suite) and the SDK, another publisher's package named alike, and an older
// version's entry under the vendor key. The other publisher's package enumerates after
// the suite: before it, a run that cannot open the installer's list of the suite's
// products takes the first record named after the product key for the suite, as the
// search did before the list was read, whoever published it.
void family(sim::Machine& m) {
  world::typical_machine(m);
  world::add_family(m);
  world::add_other_publisher_package(m, world::View::Native, world::kLateOtherPublisherCode);
  world::add_stale_vendor_entry(m);
}

// The same for a 32-bit suite that only the 64-bit program's second pass finds.
void x64_32bit_family(sim::Machine& m) {
  m.windows_is_64_bit = true;
  m.program_is_64_bit = true;
  world::typical_machine(m, world::View::Wow6432);
  world::add_family(m, world::View::Wow6432);
  world::add_other_publisher_package(m, world::View::Wow6432, world::kLateOtherPublisherCode);
  world::add_stale_vendor_entry(m, world::View::Wow6432);
}

// The installer's service idles with its mutex, owned by nobody: nothing holds the run.
void installer_idle(sim::Machine& m) {
  world::typical_machine(m);
  m.add_mutex("Global\\_MSIExecute", false);
}

// The recorded installation folder is one the machine cannot lose; the package's own
// files in it go with the package, everything else in it stays.
const std::string kFonts = "C:\\Windows\\Fonts\\";
const std::string kAlice = "C:\\Users\\alice\\";

void in_fonts_folder(sim::Machine& m) {
  for (const char* font : {"arial.ttf", "times.ttf", "segoeui.ttf"}) m.add_file(kFonts + font, "font");
  world::typical_machine(m, kFonts, kFonts);
}

void in_a_profile(sim::Machine& m) { world::typical_machine(m, kAlice, kAlice); }

void in_a_profile_by_junction(sim::Machine& m) {
  m.add_folder_link("C:\\Documents and Settings", "C:\\Users");
  world::typical_machine(m, "C:\\Documents and Settings\\alice\\", kAlice);
}

audit::Allowed keeping_fonts() { return audit::suite_allowed_keeping(kFonts); }
audit::Allowed keeping_alice() { return audit::suite_allowed_keeping(kAlice); }

audit::Allowed native() { return audit::suite_allowed(); }
audit::Allowed in_32bit_view() { return audit::suite_allowed(world::View::Wow6432); }

}  // namespace

const std::vector<World>& worlds() {
  static const std::vector<World> all = {
      {"typical", typical, native},
      {"several_records", several_records, native},
      {"help_pack_by_key", help_pack_by_key, native},
      {"locked_bootstrap", locked_bootstrap, native},
      {"installer_refuses", installer_refuses, native},
      {"restart_required", restart_required, native},
      {"installer_busy", installer_busy, native},
      {"installer_idle", installer_idle, native},
      {"wow64_32bit_suite", wow64_32bit_suite, in_32bit_view, world::View::Wow6432},
      {"wow64_64bit_suite", wow64_64bit_suite, native},
      {"x64_32bit_suite", x64_32bit_suite, in_32bit_view, world::View::Wow6432},
      {"family", family, native},
      {"x64_32bit_family", x64_32bit_family, in_32bit_view, world::View::Wow6432},
      {"in_fonts_folder", in_fonts_folder, keeping_fonts},
      {"in_a_profile", in_a_profile, keeping_alice},
      {"in_a_profile_by_junction", in_a_profile_by_junction, keeping_alice},
  };
  return all;
}

}  // namespace fault_worlds
