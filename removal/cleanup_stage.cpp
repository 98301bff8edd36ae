#include "removal/cleanup_stage.h"

#include "fonction.h"
#include "platform/file_calls.h"
#include "removal/cleanup_guards.h"
#include "text/ascii.h"

namespace {

// The suite's desktop shortcuts; the last six are the Collabora build's, without ".lnk".
const char* const FICHIERS[12] = {
    "LibreOffice Writer.lnk", "LibreOffice Calc.lnk", "LibreOffice Draw.lnk",
    "LibreOffice Impress.lnk", "LibreOffice Base.lnk", "LibreOffice Math.lnk",
    "Collabora Office Calc", "Collabora Office Writer", "Collabora Office Math",
    "Collabora Office Draw", "Collabora Office Impress", "Collabora Office Math"};

void delete_if_file(const std::string& path) {
  if (platform::file_exists(path)) platform::delete_file(path);
}

// A folder link is never sent to the Recycle Bin: the shell would empty its target.
bool is_real_folder(const std::string& path) {
  const std::uint32_t attributes = platform::get_file_attributes(path);
  return attributes != platform::kInvalidFileAttributes &&
         (attributes & platform::kFileAttributeDirectory) != 0 &&
         (attributes & platform::kFileAttributeReparsePoint) == 0;
}

}  // namespace

void NETTOIE_LIBREOFFICE(const std::string& SCHEMOPEN, const std::string& SVERSOOO) {
  const bool plain_key = is_plain_name(SVERSOOO);
  const KeptFolders kept = kept_folders();

  // A desktop folder the shell cannot name would leave only the drive root: skip it,
  // as one that really lies in Windows, in a profile or off a local fixed drive.
  const std::string desktop = GETCOMMONDESKTOPDIRECTORYFOLDER();
  if (!desktop.empty() && really_holds_shortcuts(desktop, kept)) {
    const std::string D = INCLUDETRAILINGPATHDELIMITER(desktop);
    for (int J = 0; J < 6; ++J) delete_if_file(D + FICHIERS[J]);
    if (plain_key) delete_if_file(D + SVERSOOO + ".lnk");
    if (ascii_upper(SVERSOOO.substr(0, 9)) == "COLLABORA")
      for (int J = 6; J < 12; ++J) delete_if_file(D + FICHIERS[J] + ".lnk");
  }
  // Nothing is removed from the Startup folder: a mask there would catch other
  // vendors' shortcuts too.

  // The recorded folder is judged as written, then where it really is.
  if (!SCHEMOPEN.empty() && is_real_folder(SCHEMOPEN) &&
      is_removable_folder(SCHEMOPEN, kept.with_ancestors) && really_removable(SCHEMOPEN, kept))
    DELETEDIRECTORY(PATHREMOVESEPARATOR(SCHEMOPEN), true);

  if (plain_key) {
    const std::string programs = GETCOMMONPROGRAMSFOLDER();
    if (!programs.empty()) {
      const std::string M = INCLUDETRAILINGPATHDELIMITER(programs) + SVERSOOO;
      if (is_real_folder(M) && really_removable(M, kept)) DELETEDIRECTORY(M, true);
    }
  }
}
