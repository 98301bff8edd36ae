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

expect_status 0
expect_commands "\"$ADDON_DIR\\unins000.exe\"  /verysilent" \
  "\"C:\\windows\\system32\\Msiexec.exe\" /quiet /norestart /x$LO_HELP_CODE" \
  "\"C:\\windows\\system32\\Msiexec.exe\" /quiet /norestart /x$LO_CODE"
expect_addon_command
expect=$SCENARIO_DIR/expect.txt
expect_suite_removed "$expect" "$LO_KEY" "$LO_VENDOR\\7.6" "$LO_CODE" "$LO_HELP_CODE"
expect_addon_removed "$expect"
mapfile -t shortcuts < <(desktop_shortcuts "$LO_KEY" LibreOffice Writer Calc Draw Impress Base Math)
expect_shortcuts_deleted "$expect" "${shortcuts[@]}"
expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$expect"
