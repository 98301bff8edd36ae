# An older version's entry under the vendor key names the same folder; its package went
# long ago. It no longer holds the cleanup back: the run removes the suite and sends the
# folder to the Recycle Bin, and the entry stays, as the program writes nothing.
libreoffice_install_all
e2e_reg add "HKLM\\$LO_VENDOR\\7.5\\$UPGRADE_CODE" /v INSTALLLOCATION /d "$INSTALL_DIR\\" /f
snapshot "$SCENARIO_DIR/before"
grep -qF '\LibreOffice\7.5\{4B17E523-5D91-4E69-BD96-7FD81CFA81BB}|"INSTALLLOCATION"="C:\\Program Files\\LibreOffice\\"' \
  "$SCENARIO_DIR/before/registry.txt" || e2e_fail "the older version's entry does not name the suite's folder"
program_run /quiet
snapshot "$SCENARIO_DIR/after"

expect_full_quiet_removal "$LO_VENDOR\\7.6"
expect_addon_command
