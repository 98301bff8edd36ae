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
snapshot "$SCENARIO_DIR/before"
grep -qiF '"INSTALLLOCATION"="C:\\windows\\Fonts\\"' "$SCENARIO_DIR/before/registry.txt" ||
  e2e_fail "the package did not record the fonts folder as its installation folder"
# Everything in the fonts folder but the package's own files, which its removal may take.
fonts_listing() {
  (cd "$(unix_path "$fonts")" && find . ! -path './program*' | sort)
}
fonts_listing >"$SCENARIO_DIR/fonts-before.txt"
program_run /quiet
snapshot "$SCENARIO_DIR/after"
fonts_listing >"$SCENARIO_DIR/fonts-after.txt"

expect_status 0
expect_commands "\"$ADDON_DIR\\unins000.exe\"  /verysilent" \
  "\"C:\\windows\\system32\\Msiexec.exe\" /quiet /norestart /x$LO_CODE"
diff -u "$SCENARIO_DIR/fonts-before.txt" "$SCENARIO_DIR/fonts-after.txt" >&2 ||
  e2e_fail "the fonts folder lost files"
grep -qiF 'windows\fonts' "$SCENARIO_DIR/after/trash.txt" &&
  e2e_fail "the Recycle Bin holds something of the fonts folder"
expect=$SCENARIO_DIR/expect.txt
{
  printf 'reg-gone-product %s\n' "$LO_CODE"
  printf 'reg-gone-key HKEY_LOCAL_MACHINE\\%s\n' "$LO_VENDOR"
  printf 'reg-gone-key HKEY_LOCAL_MACHINE\\Software\\Classes\\com.sun.star.ServiceManager.1\n'
  printf 'reg-gone-key HKEY_LOCAL_MACHINE\\Software\\Classes\\AppID\\{82154420-0FBF-11d4-8313-005004526AB4}\n'
  printf 'file-gone %s\n' "$MENU_DIR"
  printf 'trashed %s\n' "$MENU_DIR"
  printf 'trash-holds %s\n' "$MENU_DIR\\$LO_KEY (Safe Mode).lnk"
  printf 'process-ended %s\n' soffice.bin soffice.bin
} >"$expect"
expect_addon_removed "$expect"
mapfile -t shortcuts < <(desktop_shortcuts "$LO_KEY" LibreOffice Writer Calc Draw Impress Base Math)
expect_shortcuts_deleted "$expect" "${shortcuts[@]}"
expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$expect"
