#include "guard_world.h"

#include <algorithm>
#include <cctype>

#include "platform/file_calls.h"
#include "platform/folder_calls.h"
#include "platform/path_calls.h"
#include "platform/registry_calls.h"
#include "platform/sim/paths.h"
#include "suite_world.h"

namespace guard_world {

namespace {

using sim::FileNode;

// Nothing in these may go: Windows and every profile (dave's by where it really is).
const std::vector<std::string> kWholeTrees = {
    "C:\\Windows",       "C:\\Users\\admin", "C:\\Users\\alice",
    "C:\\Users\\Default", "C:\\Users\\dave",
};
// Neither these nor anything above them may go.
const std::vector<std::string> kKeptFolders = {
    "C:\\Program Files",
    "C:\\Program Files (x86)",
    "C:\\ProgramData",
    "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs",
    "C:\\Users",
    "C:\\Users\\Public\\Desktop",
    "C:\\Users\\Public\\Documents",
};

const std::pair<const char*, const char*> kShortNames[] = {
    {"C:\\Program Files", "PROGRA~1"},
    {"C:\\Program Files (x86)", "PROGRA~2"},
    {"C:\\ProgramData", "PROGRA~3"},
    {"C:\\Program Files\\LibreOffice", "LIBREO~1"},
    {"C:\\ProgramData\\Microsoft\\Windows\\Start Menu", "STARTM~1"},
    {"C:\\Documents and Settings", "DOCUME~1"},
};

bool descends(const FileNode& from, const FileNode* node) {
  if (&from == node) return true;
  return std::any_of(from.children.begin(), from.children.end(),
                     [&](const auto& child) { return descends(*child, node); });
}

std::vector<std::string> names_of(const std::string& folder) {
  std::vector<std::string> names;
  std::string name;
  for (char c : folder.substr(3)) {
    if (c == '\\') {
      names.push_back(name);
      name.clear();
    } else {
      name += c;
    }
  }
  if (!name.empty()) names.push_back(name);
  return names;
}

std::string short_name_of(const std::string& folder) {
  for (const auto& [path, short_name] : kShortNames)
    if (sim::equal_ignoring_case(path, folder)) return short_name;
  return {};
}

std::string in_case(std::string name, const Choose& choose) {
  switch (choose(4)) {
    case 0: return name;
    case 1: return sim::upper_ansi(name);
    case 2:
      for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      return name;
    default:
      for (char& c : name)
        c = static_cast<char>(choose(2) ? std::toupper(static_cast<unsigned char>(c))
                                        : std::tolower(static_cast<unsigned char>(c)));
      return name;
  }
}

}  // namespace

void build(sim::Machine& m) {
  m.shell_folders[0x16] = "C:\\ProgramData\\Microsoft\\Windows\\Start Menu";
  m.shell_folders[0x23] = "C:\\ProgramData";
  m.shell_folders[0x24] = "C:\\Windows";
  m.shell_folders[0x25] = "C:\\Windows\\system32";
  m.shell_folders[0x26] = "C:\\Program Files";
  m.shell_folders[0x28] = "C:\\Users\\admin";
  m.shell_folders[0x2A] = "C:\\Program Files (x86)";
  m.shell_folders[0x2E] = "C:\\Users\\Public\\Documents";
  world::add_profile_list(m);
  m.set_string(platform::kHkeyLocalMachine, world::kProfileList + "\\S-1-5-21-1-2-3-1004",
               "ProfileImagePath", "C:\\Documents and Settings\\dave", platform::kRegExpandSz);
  for (const char* file :
       {"C:\\Windows\\Fonts\\arial.ttf", "C:\\Windows\\system32\\kernel32.dll",
        "C:\\Program Files\\LibreOffice\\program\\soffice.bin",
        "C:\\Program Files (x86)\\LibreOffice\\readme.txt",
        "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\LibreOffice 7.6\\Writer.lnk",
        "C:\\Users\\Public\\Desktop\\LibreOffice Writer.lnk", "C:\\Users\\Public\\Documents\\shared.txt",
        "C:\\Users\\Public\\LibreOffice\\readme.txt", "C:\\Users\\admin\\Documents\\notes.txt",
        "C:\\Users\\dave\\notes.txt", "C:\\LibreOffice\\readme.txt", "D:\\Apps\\LibreOffice\\readme.txt",
        "E:\\LibreOffice\\readme.txt", "Z:\\LibreOffice\\readme.txt"})
    m.add_file(file, "x");
  m.add_folder_link("C:\\Documents and Settings", "C:\\Users");
  m.add_folder_link("C:\\Mounted", "E:\\");
  for (const auto& [path, short_name] : kShortNames) m.find_node(path)->short_name = short_name;
  m.substituted_drives['S'] = "C:\\Windows";
  m.substituted_drives['P'] = "C:\\Program Files";
  m.shares["DATA"] = "C:\\Users";
  m.drive_types['E'] = platform::kDriveRemovable;
  m.drive_types['Z'] = platform::kDriveRemote;
}

const std::vector<std::string>& folders() {
  static const std::vector<std::string> all = {
      "C:\\",
      "C:\\Windows",
      "C:\\Windows\\Fonts",
      "C:\\Windows\\system32",
      "C:\\Windows\\system32\\config\\systemprofile",
      "C:\\Program Files",
      "C:\\Program Files\\LibreOffice",
      "C:\\Program Files\\LibreOffice\\program",
      "C:\\Program Files (x86)",
      "C:\\Program Files (x86)\\LibreOffice",
      "C:\\ProgramData",
      "C:\\ProgramData\\Microsoft",
      "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs",
      "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\LibreOffice 7.6",
      "C:\\Users",
      "C:\\Users\\Public",
      "C:\\Users\\Public\\Desktop",
      "C:\\Users\\Public\\LibreOffice",
      "C:\\Users\\admin",
      "C:\\Users\\admin\\Documents",
      "C:\\Users\\alice",
      "C:\\Users\\alice\\Documents",
      "C:\\Users\\Default",
      "C:\\Users\\dave",
      "C:\\LibreOffice",
      "D:\\",
      "D:\\Apps\\LibreOffice",
      "E:\\",
      "E:\\LibreOffice",
      "Z:\\LibreOffice",
  };
  return all;
}

bool dangerous(sim::Machine& m, const std::string& path) {
  const sim::ParsedPath parsed = sim::parse_path(path);
  const sim::Lookup found = sim::walk(parsed, true);
  if (found.error != platform::kErrorSuccess) return false;
  if (!parsed.share.empty()) return true;
  if (m.drive_type(found.real[0][0]) != platform::kDriveFixed) return true;
  if (found.real.size() == 1) return true;  // a drive root
  for (const auto& tree : kWholeTrees)
    if (descends(*m.find_node(tree), found.node)) return true;
  for (const auto& kept : kKeptFolders)
    if (descends(*found.node, m.find_node(kept))) return true;
  return false;
}

std::string spelling(const std::string& folder, const Choose& choose) {
  char drive = folder[0];
  std::vector<std::string> names = names_of(folder);
  std::vector<std::string> full;  // each name's folder as stored, for its short name
  for (std::size_t i = 0; i < names.size(); ++i)
    full.push_back((i == 0 ? folder.substr(0, 2) : full.back()) + "\\" + names[i]);

  // Other ways to the same place.
  std::string share;
  if (drive == 'C' && !names.empty()) {
    const unsigned way = choose(6);
    if (names[0] == "Users" && way == 0) {
      names[0] = "Documents and Settings";
      full[0] = "C:\\Documents and Settings";
    } else if (names[0] == "Users" && way == 1) {
      share = choose(2) ? "\\\\localhost\\Data\\" : "//QUORVALIS-PC/data/";
      names.erase(names.begin());
      full.erase(full.begin());
    } else if (names[0] == "Windows" && way == 2) {
      drive = 'S';
      names.erase(names.begin());
      full.erase(full.begin());
    } else if (names[0] == "Program Files" && way == 3) {
      drive = 'P';
      names.erase(names.begin());
      full.erase(full.begin());
    }
  }
  if (drive == 'E' && choose(2) == 0) {
    drive = 'C';
    names.insert(names.begin(), "Mounted");
    full.insert(full.begin(), "C:\\Mounted");
  }

  // Each name in some case or by its short name, with steps Windows folds away.
  static const char* const kTrailers[] = {".", " ", "..", ". ", " . "};
  std::vector<std::string> steps;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const bool last = i + 1 == names.size();
    if (choose(6) == 0) steps.push_back(".");
    if (choose(8) == 0) {
      steps.push_back(choose(2) ? "x" : "Windows");
      steps.push_back("..");
    }
    const std::string short_name = short_name_of(full[i]);
    std::string name = in_case(!short_name.empty() && choose(2) ? short_name : names[i], choose);
    if (!last && choose(6) == 0) name += ".";
    if (last && choose(4) == 0) name += kTrailers[choose(5)];
    steps.push_back(name);
  }
  if (choose(12) == 0) steps.push_back("..");  // its parent instead

  const std::string letter(1, drive);
  const std::string lower(1, static_cast<char>(std::tolower(static_cast<unsigned char>(drive))));
  std::string root = share;
  if (root.empty()) {
    switch (choose(12)) {
      case 0: root = letter + ":\\"; break;
      case 1: root = lower + ":\\"; break;
      case 2: root = "\\\\?\\" + letter + ":\\"; break;
      case 3: root = "\\\\.\\" + lower + ":\\"; break;
      case 4: root = "//?/" + letter + ":/"; break;
      case 5: root = "\\\\localhost\\" + letter + "$\\"; break;
      case 6: root = "\\\\127.0.0.1\\" + lower + "$\\"; break;
      case 7: root = "\\\\?\\UNC\\QUORVALIS-PC\\" + letter + "$\\"; break;
      case 8: root = drive == 'C' ? "\\" : letter + ":\\"; break;  // rooted at the current drive
      case 9: root = letter + ":"; break;                           // that drive's current folder
      case 10: root = drive == 'C' ? "" : letter + ":\\"; break;    // the current folder is C:\ .
      default: root = letter + ":\\"; break;
    }
  }
  static const char* const kSeparators[] = {"\\", "\\", "/", "\\\\", "/\\"};
  std::string path = root;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    if (i > 0) path += kSeparators[choose(5)];
    path += steps[i];
  }
  if (!steps.empty() && choose(3) == 0) path += kSeparators[choose(3)];
  return path;
}

}  // namespace guard_world
