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

expect_file_text "$alice\\Documents\\thesis.odt" "alice's work"
# Wine's installer resolves INSTALLDIR anew on removal (see root_folder.sh) and so
# leaves the package's own files in alice's profile; they stay, with the rest of it.
expect_removal_keeping_folder
