# The suite installed into another user's profile, so its installation folder is
# recorded as "C:\users\alice\", a folder the profile list names as alice's: the
# package is removed, her profile and her documents stay, and only the Start-menu
# folder goes to the Recycle Bin.
alice='C:\users\alice'
mkdir -p "$(unix_path "$alice\\Documents")"
printf "alice's work" >"$(unix_path "$alice\\Documents\\thesis.odt")"
e2e_reg add 'HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\ProfileList\S-1-5-21-1004336348-1177238915-682003330-1002' \
  /v ProfileImagePath /t REG_EXPAND_SZ /d "$alice" /f
suite_install libreoffice.msi "$LO_KEY" LibreOffice "INSTALLDIR=$alice\\"
INSTALL_DIR=$alice
addon_install
suite_add_leftovers
suite_start_processes
snapshot "$SCENARIO_DIR/before"
grep -qiF '"INSTALLLOCATION"="C:\\users\\alice\\"' "$SCENARIO_DIR/before/registry.txt" ||
  e2e_fail "the package did not record alice's profile as its installation folder"
program_run /quiet
snapshot "$SCENARIO_DIR/after"

expect_status 0
expect_commands "\"$ADDON_DIR\\unins000.exe\"  /verysilent" \
  "\"C:\\windows\\system32\\Msiexec.exe\" /quiet /norestart /x$LO_CODE"
expect_file_text "$alice\\Documents\\thesis.odt" "alice's work"
expect=$SCENARIO_DIR/expect.txt
{
  printf 'reg-gone-product %s\n' "$LO_CODE"
  printf 'reg-gone-key HKEY_LOCAL_MACHINE\\%s\n' "$LO_VENDOR"
  expect_identifiers_gone
  # Wine's installer resolves INSTALLDIR anew on removal (see root_folder.sh) and so
  # leaves the package's own files in alice's profile; they stay, with the rest of it.
  printf 'file-gone %s\n' "$MENU_DIR"
  printf 'trashed %s\n' "$MENU_DIR"
  printf 'trash-holds %s\n' "$MENU_DIR\\$LO_KEY (Safe Mode).lnk"
  printf 'process-ended %s\n' soffice.bin soffice.bin
} >"$expect"
expect_addon_removed "$expect"
mapfile -t shortcuts < <(desktop_shortcuts "$LO_KEY" LibreOffice Writer Calc Draw Impress Base Math)
expect_shortcuts_deleted "$expect" "${shortcuts[@]}"
expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$expect"
