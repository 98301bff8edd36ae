# Another publisher's package whose name begins with the product key, its record sorting
# before every record of the suite: the run neither takes it for the suite nor removes it
# as one of the family, and it does not hold the suite's folder back.
libreoffice_install_all
msi_install companion.msi
snapshot "$SCENARIO_DIR/before"
grep -qF "\"DisplayName\"=\"$COMPANION_NAME\"" "$SCENARIO_DIR/before/registry.txt" ||
  e2e_fail "the other publisher's package is not recorded as $COMPANION_NAME"
program_run /quiet
snapshot "$SCENARIO_DIR/after"

expect_status 0
expect_commands "\"$ADDON_DIR\\unins000.exe\"  /verysilent" \
  "\"C:\\windows\\system32\\Msiexec.exe\" /quiet /norestart /x$LO_HELP_CODE" \
  "\"C:\\windows\\system32\\Msiexec.exe\" /quiet /norestart /x$LO_CODE"
expect=$SCENARIO_DIR/expect.txt
# Its record, its list entry and its files stay: the comparison fails on any change there.
expect_suite_removed "$expect" "$LO_KEY" "$LO_VENDOR" "$LO_CODE" "$LO_HELP_CODE"
expect_addon_removed "$expect"
mapfile -t shortcuts < <(desktop_shortcuts "$LO_KEY" LibreOffice Writer Calc Draw Impress Base Math)
expect_shortcuts_deleted "$expect" "${shortcuts[@]}"
expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$expect"
