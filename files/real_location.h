// Where a path really leads, as the system resolves it: links and junctions, short
// names, "." and "..", other letter case, "\\?\" and "\\.\" prefixes, substituted
// drives and shares of this machine all come out as one final path with the names
// as stored.
#pragma once

#include <optional>
#include <string>

// The final path of an existing file or folder, "C:\..." or "\\server\share\..."
// (without the "\\?\" or "\\?\UNC\" the system puts before it); nullopt when it
// cannot be opened or the system cannot name it.
std::optional<std::string> final_path_of(const std::string& path);

// A final path on a drive letter whose drive the system calls fixed ("C:\...");
// a share, a removable, network or optical drive is none.
bool on_local_fixed_drive(const std::string& final_path);

// A path stored with environment variables ("%SystemDrive%\Users"), expanded by the
// system; nullopt when it cannot expand it.
std::optional<std::string> expanded_path(const std::string& text);
