// Building blocks for machines with the suite installed, as the run expects to find it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/sim/machine.h"

namespace world {

inline const std::string kUpgradeCode = "{4B17E523-5D91-4E69-BD96-7FD81CFA81BB}";
inline const std::string kProductCode = "{6A1C5B3E-1234-4C2D-9E8F-0A1B2C3D4E5F}";
inline const std::string kHelpCode = "{DF9E8D7C-6B5A-4948-3726-150493827160}";
inline const std::string kHelpUpgradeCode = "{4B17E523-5D91-4E69-BD96-7FD81CFA81BC}";
inline const std::string kPublisher = "The Document Foundation";
// The family's other packages (help packs of two more languages and the SDK): the first
// enumerates before the suite's record, the others after it.
inline const std::string kGermanHelpCode = "{1D2E3F40-5A6B-4C7D-8E9F-0A1B2C3D4E01}";
inline const std::string kSpanishHelpCode = "{9E8D7C6B-5A49-4837-8261-504938271602}";
inline const std::string kSdkCode = "{C5B4A392-8170-4F6E-9D5C-4B3A29180703}";
// Another publisher's package named after the product key: under this code it
// enumerates first, under the later one after the suite's record.
inline const std::string kOtherPublisherCode = "{0F3E4D5C-6B7A-4988-9776-655443322104}";
inline const std::string kLateOtherPublisherCode = "{7F3E4D5C-6B7A-4988-9776-655443322104}";
inline const std::string kFolder = "C:\\Program Files\\LibreOffice\\";
inline const std::string kProductKey = "LibreOffice 7.6";
inline const std::string kDisplayName = "LibreOffice 7.6.4.1";
inline const std::string kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
inline const std::string kTdfVendor = "SOFTWARE\\The Document Foundation\\LibreOffice";
inline const std::string kDesktop = "C:\\Users\\Public\\Desktop";
inline const std::string kPrograms = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";

inline const std::string kProfileList = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
inline const std::string kAdminSid = "S-1-5-21-1004336348-1177238915-682003330-1001";
inline const std::string kAliceSid = "S-1-5-21-1004336348-1177238915-682003330-1002";

// The profile list as Windows keeps it, its folders stored with variables: the
// system's own accounts (below the Windows folder), "admin" and "alice" in C:\Users,
// the default profile and the profiles' folder; with each user's folder, registry
// hive (NTUSER.DAT) and a document of alice's.
void add_profile_list(sim::Machine& m);

// Where the suite's package writes its HKLM keys: the view of its own architecture. On
// a 32-bit Windows, or for a package of the machine's own architecture, that is the
// native tree; an x86 package on 64-bit Windows writes to the 32-bit view.
enum class View { Native, Wow6432 };
// `path` under HKLM as the package's view stores it.
std::string hklm(const std::string& path, View view);

// The programmatic identifier and an application identifier named `app_name`.
void register_suite(sim::Machine& m, const std::string& app_name = "LibreOffice");
// vendor\version\{upgrade code} with INSTALLLOCATION = folder.
void add_vendor_location(sim::Machine& m, const std::string& vendor, const std::string& version,
                         const std::string& folder, View view = View::Native);
// folder + "program\bootstrap.ini" with [Bootstrap] ProductKey=key.
void add_bootstrap(sim::Machine& m, const std::string& folder, const std::string& product_key);
// An installer package's record with "MsiExec.exe /I{code}" and the suite's publisher.
void add_package_record(sim::Machine& m, const std::string& code, const std::string& display_name,
                        View view = View::Native);

// The typical machine: the profile list, suite detected, vendor key, bootstrap file,
// package record and product known to the installer (removing its keys and owned
// files) and listed under the suite's upgrade code, two soffice.bin processes, an
// add-on with its uninstaller, the French help pack (under an upgrade code of its own),
// desktop shortcuts, the Start-menu folder and files the package does not own. The
// HKLM keys of its packages are written in `view`.
void typical_machine(sim::Machine& m, View view = View::Native);
// The same with the suite installed in `folder` (ending with "\\"), which the vendor
// key records as written; its files are made through `real_folder`, where `folder`
// really leads when a link is on its way.
void typical_machine(sim::Machine& m, const std::string& folder, const std::string& real_folder,
                     View view = View::Native);
// The package's own files in an installation folder: what the installer takes away.
std::vector<std::string> package_files(const std::string& folder);

// The family's other packages: help packs in German and Spanish and the SDK, each an
// installer package of the suite's publisher with a file in the suite's folder and an
// upgrade code of its own.
struct FamilyMember {
  std::string code, display_name, file, upgrade_code;
};
const std::vector<FamilyMember>& family();
// Them beside the typical machine's suite.
void add_family(sim::Machine& m, View view = View::Native);

// An installer package of another publisher whose name begins with the product key, in
// a folder of its own, with its own upgrade code.
void add_other_publisher_package(sim::Machine& m, View view = View::Native,
                                 const std::string& code = kOtherPublisherCode);

// An older version's entry under the vendor key, naming the same folder: its package
// has long gone. The suite's package then takes away only its own version's entry.
void add_stale_vendor_entry(sim::Machine& m, View view = View::Native);

}  // namespace world
