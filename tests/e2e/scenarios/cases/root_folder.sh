# The suite installed at the drive root, so its installation folder is recorded as "C:\":
# the package is removed, but only the Start-menu folder goes to the Recycle Bin; the
# drive root and every file on it stay.
suite_install libreoffice.msi "$LO_KEY" LibreOffice 'INSTALLDIR=C:\'
INSTALL_DIR='C:'
addon_install
suite_add_leftovers
suite_start_processes
snapshot "$SCENARIO_DIR/before"
grep -qF '"INSTALLLOCATION"="C:\\"' "$SCENARIO_DIR/before/registry.txt" ||
  e2e_fail "the package did not record C:\\ as its installation folder"
program_run /quiet
snapshot "$SCENARIO_DIR/after"

expect_status 0
expect_commands "\"$ADDON_DIR\\unins000.exe\"  /verysilent" \
  "\"C:\\windows\\system32\\Msiexec.exe\" /quiet /norestart /x$LO_CODE"
expect=$SCENARIO_DIR/expect.txt
{
  printf 'reg-gone-product %s\n' "$LO_CODE"
  printf 'reg-gone-key HKEY_LOCAL_MACHINE\\%s\n' "$LO_VENDOR"
  expect_identifiers_gone
  # Wine's installer resolves INSTALLDIR anew on removal and so leaves the package's own
  # files in C:\program; they stay, with the rest of the drive.
  printf 'file-gone %s\n' "$MENU_DIR"
  printf 'trashed %s\n' "$MENU_DIR"
  printf 'trash-holds %s\n' "$MENU_DIR\\$LO_KEY (Safe Mode).lnk"
  printf 'process-ended %s\n' soffice.bin soffice.bin
} >"$expect"
expect_addon_removed "$expect"
mapfile -t shortcuts < <(desktop_shortcuts "$LO_KEY" LibreOffice Writer Calc Draw Impress Base Math)
expect_shortcuts_deleted "$expect" "${shortcuts[@]}"
expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$expect"
