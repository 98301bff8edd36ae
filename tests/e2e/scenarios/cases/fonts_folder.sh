# The suite installed into the fonts folder, so its installation folder is recorded as
# "C:\windows\Fonts\": the package is removed, the fonts folder and every font in it
# stay, and only the Start-menu folder goes to the Recycle Bin. The snapshots leave the
# Windows folder out, so the fonts folder is listed on its own before and after.
fonts='C:\windows\Fonts'
suite_install libreoffice.msi "$LO_KEY" LibreOffice "INSTALLDIR=$fonts\\"
INSTALL_DIR=$fonts
printf 'not a font, but a file of the fonts folder\r\n' >"$(unix_path "$fonts\\quorvalis-marker.ttf")"
addon_install
suite_add_leftovers
suite_start_processes
# Another spelling of the same folder, when a scenario gives one (FONTS_SPELLING).
recorded='C:\\windows\\Fonts\\'
if [ -n "${FONTS_SPELLING:-}" ]; then
  e2e_reg add "HKLM\\$LO_VENDOR\\7.6\\$UPGRADE_CODE" /v INSTALLLOCATION /d "$FONTS_SPELLING" /f
  recorded=${FONTS_SPELLING//\\/\\\\}
fi
snapshot "$SCENARIO_DIR/before"
grep -qiF "\"INSTALLLOCATION\"=\"$recorded\"" "$SCENARIO_DIR/before/registry.txt" ||
  e2e_fail "the fonts folder is not recorded as the installation folder"
# Everything in the fonts folder but the package's own files, which its removal may take.
fonts_listing() {
  (cd "$(unix_path "$fonts")" && find . ! -path './program*' | sort)
}
fonts_listing >"$SCENARIO_DIR/fonts-before.txt"
program_run /quiet
snapshot "$SCENARIO_DIR/after"
fonts_listing >"$SCENARIO_DIR/fonts-after.txt"

diff -u "$SCENARIO_DIR/fonts-before.txt" "$SCENARIO_DIR/fonts-after.txt" >&2 ||
  e2e_fail "the fonts folder lost files"
grep -qiF 'windows\fonts' "$SCENARIO_DIR/after/trash.txt" &&
  e2e_fail "the Recycle Bin holds something of the fonts folder"
expect_removal_keeping_folder
