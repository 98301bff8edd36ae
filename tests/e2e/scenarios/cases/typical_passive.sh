# Without "/quiet" the same removal runs with the installer's progress window: /passive.
libreoffice_install_all
snapshot "$SCENARIO_DIR/before"
program_run
snapshot "$SCENARIO_DIR/after"

expect_status 0
expect_commands "\"$ADDON_DIR\\unins000.exe\"  /verysilent" \
  "\"C:\\windows\\system32\\Msiexec.exe\" /passive /norestart /x$LO_HELP_CODE" \
  "\"C:\\windows\\system32\\Msiexec.exe\" /passive /norestart /x$LO_CODE"
expect_addon_command
expect=$SCENARIO_DIR/expect.txt
expect_suite_removed "$expect" "$LO_KEY" "$LO_VENDOR" "$LO_CODE" "$LO_HELP_CODE"
expect_addon_removed "$expect"
mapfile -t shortcuts < <(desktop_shortcuts "$LO_KEY" LibreOffice Writer Calc Draw Impress Base Math)
expect_shortcuts_deleted "$expect" "${shortcuts[@]}"
expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$expect"
