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
// An installer package's record with "MsiExec.exe /I{code}".
void add_package_record(sim::Machine& m, const std::string& code, const std::string& display_name,
                        View view = View::Native);

// The typical machine: the profile list, suite detected, vendor key, bootstrap file,
// package record and product known to the installer (removing its keys and owned
// files), two soffice.bin processes, an add-on with its uninstaller, the French help
// pack, desktop shortcuts, the Start-menu folder and files the package does not own.
// The HKLM keys of its packages are written in `view`.
void typical_machine(sim::Machine& m, View view = View::Native);
// The same with the suite installed in `folder` (ending with "\\"), which the vendor
// key records as written; its files are made through `real_folder`, where `folder`
// really leads when a link is on its way.
void typical_machine(sim::Machine& m, const std::string& folder, const std::string& real_folder,
                     View view = View::Native);
// The package's own files in an installation folder: what the installer takes away.
std::vector<std::string> package_files(const std::string& folder);

}  // namespace world
