#include "suite_world.h"

#include "platform/file_calls.h"
#include "platform/registry_calls.h"
#include "platform/sim/registry_views.h"

namespace world {

using platform::kHkeyClassesRoot;
using platform::kHkeyLocalMachine;

std::string hklm(const std::string& path, View view) {
  return sim::path_in_view(path, view == View::Wow6432);
}

void register_suite(sim::Machine& m, const std::string& app_name) {
  m.set_string(kHkeyClassesRoot, "com.sun.star.ServiceManager.1\\CLSID", "",
               "{82154420-0FBF-11D4-8313-005004526AB4}");
  m.set_string(kHkeyClassesRoot, "AppID\\{82154420-0FBF-11d4-8313-005004526AB4}", "", app_name);
}

void add_vendor_location(sim::Machine& m, const std::string& vendor, const std::string& version,
                         const std::string& folder, View view) {
  m.set_string(kHkeyLocalMachine, hklm(vendor + "\\" + version + "\\" + kUpgradeCode, view),
               "INSTALLLOCATION", folder);
}

void add_bootstrap(sim::Machine& m, const std::string& folder, const std::string& product_key) {
  m.add_file(folder + "program\\bootstrap.ini",
             "[Bootstrap]\r\nInstallMode=<installmode>\r\nProductKey=" + product_key + "\r\n");
}

void add_package_record(sim::Machine& m, const std::string& code, const std::string& display_name,
                        View view) {
  const std::string record = hklm(kUninstallKey + code, view);
  m.set_string(kHkeyLocalMachine, record, "DisplayName", display_name);
  m.set_string(kHkeyLocalMachine, record, "UninstallString", "MsiExec.exe /I" + code,
               platform::kRegExpandSz);
  m.set_string(kHkeyLocalMachine, record, "Publisher", kPublisher);
}

void add_profile_list(sim::Machine& m) {
  const std::uint32_t expandable = platform::kRegExpandSz;
  m.set_string(kHkeyLocalMachine, kProfileList, "ProfilesDirectory", "%SystemDrive%\\Users", expandable);
  m.set_string(kHkeyLocalMachine, kProfileList, "Default", "%SystemDrive%\\Users\\Default", expandable);
  m.set_string(kHkeyLocalMachine, kProfileList, "Public", "%SystemDrive%\\Users\\Public", expandable);
  m.set_string(kHkeyLocalMachine, kProfileList, "ProgramData", "%SystemDrive%\\ProgramData", expandable);
  const std::pair<std::string, std::string> accounts[] = {
      {"S-1-5-18", "%systemroot%\\system32\\config\\systemprofile"},
      {"S-1-5-19", "%systemroot%\\ServiceProfiles\\LocalService"},
      {"S-1-5-20", "%systemroot%\\ServiceProfiles\\NetworkService"},
      {kAdminSid, "C:\\Users\\admin"},
      {kAliceSid, "C:\\Users\\alice"},
  };
  for (const auto& [sid, folder] : accounts) {
    m.set_string(kHkeyLocalMachine, kProfileList + "\\" + sid, "ProfileImagePath", folder, expandable);
    m.set_dword(kHkeyLocalMachine, kProfileList + "\\" + sid, "Flags", 0);
  }
  const std::uint32_t hidden = platform::kFileAttributeHidden | platform::kFileAttributeSystem |
                               platform::kFileAttributeArchive;
  for (const char* user : {"admin", "alice", "Default"})
    m.add_file(std::string("C:\\Users\\") + user + "\\NTUSER.DAT", "regf", hidden);
  m.add_file("C:\\Users\\alice\\Documents\\thesis.odt", "alice's work");
  m.add_folder("C:\\Windows\\system32\\config\\systemprofile");
}

std::vector<std::string> package_files(const std::string& folder) {
  return {folder + "program\\bootstrap.ini", folder + "program\\soffice.bin",
          folder + "program\\soffice.exe"};
}

void typical_machine(sim::Machine& m, View view) { typical_machine(m, kFolder, kFolder, view); }

void typical_machine(sim::Machine& m, const std::string& folder, const std::string& real_folder,
                     View view) {
  add_profile_list(m);
  register_suite(m, "LibreOffice 7.6");
  add_vendor_location(m, kTdfVendor, "7.6.4.1", folder, view);
  add_bootstrap(m, real_folder, kProductKey);
  add_package_record(m, kProductCode, kDisplayName, view);
  m.add_file(real_folder + "program\\soffice.bin", "MZ");
  m.add_file(real_folder + "program\\soffice.exe", "MZ");
  m.add_file(real_folder + "share\\extensions\\user-cache.dat", "left by a user");  // not the package's

  sim::Product suite;
  suite.code = kProductCode;
  suite.in_32bit_view = view == View::Wow6432;
  suite.upgrade_code = kUpgradeCode;
  suite.keys = {{kHkeyLocalMachine, hklm(kTdfVendor, view)},
                {kHkeyClassesRoot, "com.sun.star.ServiceManager.1"},
                {kHkeyClassesRoot, "AppID\\{82154420-0FBF-11d4-8313-005004526AB4}"}};
  suite.files = package_files(real_folder);
  m.add_product(suite);

  add_package_record(m, kHelpCode, kProductKey + " Help Pack (French)", view);
  sim::Product help;
  help.code = kHelpCode;
  help.in_32bit_view = view == View::Wow6432;
  help.upgrade_code = kHelpUpgradeCode;
  m.add_product(help);

  const std::string addon = "C:\\Program Files\\Extension\\unins000.exe";
  const std::string addon_record = hklm(kUninstallKey + "ExtensionPack", view);
  m.set_string(kHkeyLocalMachine, addon_record, "DisplayName", "LibreOffice Extension Pack");
  m.set_string(kHkeyLocalMachine, addon_record, "UninstallString", "\"" + addon + "\"");
  sim::Program uninstaller;
  uninstaller.effect = [addon_record](sim::Machine& machine, const sim::LaunchRecord&) {
    machine.delete_key(kHkeyLocalMachine, addon_record);
  };
  m.add_program(addon, uninstaller);

  m.add_process("soffice.bin");
  m.add_process("explorer.exe");
  m.add_process("soffice.bin");

  for (const char* module : {"Writer", "Calc", "Draw", "Impress", "Base", "Math"})
    m.add_file(kDesktop + "\\LibreOffice " + module + ".lnk", "shortcut");
  m.add_file(kDesktop + "\\" + kProductKey + ".lnk", "shortcut");
  m.add_file(kDesktop + "\\Other Vendor.lnk", "shortcut");
  m.add_file(kPrograms + "\\" + kProductKey + "\\LibreOffice Writer.lnk", "shortcut");
  m.add_file(kPrograms + "\\Accessories\\Notepad.lnk", "shortcut");
}

const std::vector<FamilyMember>& family() {
  static const std::vector<FamilyMember> members = {
      {kGermanHelpCode, kProductKey + " Help Pack (German)", kFolder + "help\\de\\index.html",
       "{4B17E523-5D91-4E69-BD96-7FD81CFA81C1}"},
      {kSpanishHelpCode, kProductKey + " Help Pack (Spanish)", kFolder + "help\\es\\index.html",
       "{4B17E523-5D91-4E69-BD96-7FD81CFA81C2}"},
      {kSdkCode, kProductKey + " SDK", kFolder + "sdk\\include\\sal.h", "{4B17E523-5D91-4E69-BD96-7FD81CFA81C3}"},
  };
  return members;
}

void add_family(sim::Machine& m, View view) {
  for (const auto& member : family()) {
    add_package_record(m, member.code, member.display_name, view);
    m.add_file(member.file, "installed");
    sim::Product product;
    product.code = member.code;
    product.in_32bit_view = view == View::Wow6432;
    product.upgrade_code = member.upgrade_code;
    product.files = {member.file};
    m.add_product(product);
  }
}

void add_other_publisher_package(sim::Machine& m, View view, const std::string& code) {
  const std::string file = "C:\\Program Files\\Companion Tools\\companion.exe";
  add_package_record(m, code, kProductKey + " Companion Tools", view);
  m.set_string(kHkeyLocalMachine, hklm(kUninstallKey + code, view), "Publisher", "Companion Software Ltd");
  m.add_file(file, "MZ");
  sim::Product product;
  product.code = code;
  product.in_32bit_view = view == View::Wow6432;
  product.upgrade_code = "{7C6B5A49-3827-4615-9F4E-3D2C1B0A9F88}";
  product.files = {file};
  m.add_product(product);
}

void add_stale_vendor_entry(sim::Machine& m, View view) {
  add_vendor_location(m, kTdfVendor, "7.5.9.2", kFolder, view);
  for (auto& product : m.products)
    if (product.code == kProductCode)
      for (auto& key : product.keys)
        if (key.second == hklm(kTdfVendor, view)) key.second = hklm(kTdfVendor + "\\7.6.4.1", view);
}

}  // namespace world
