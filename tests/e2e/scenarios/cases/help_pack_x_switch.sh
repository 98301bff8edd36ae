# The help pack's record says "MsiExec.exe /X{code}": removed with the run's options all
# the same, so under "/quiet" every installer run is quiet (Wine's msi channel shows the
# interface level each run sets: 2, INSTALLUILEVEL_NONE, the level of "/qn" and "/quiet").
libreoffice_install_all
e2e_reg add "$UNINSTALL\\$LO_HELP_CODE" /v UninstallString /t REG_EXPAND_SZ \
  /d "MsiExec.exe /X$LO_HELP_CODE" /f
snapshot "$SCENARIO_DIR/before"
E2E_WINEDEBUG=-all,+msi program_run /quiet
snapshot "$SCENARIO_DIR/after"

expect_status 0
expect_commands "\"$ADDON_DIR\\unins000.exe\"  /verysilent" \
  "\"C:\\windows\\system32\\Msiexec.exe\" /quiet /norestart /x$LO_HELP_CODE" \
  "\"C:\\windows\\system32\\Msiexec.exe\" /quiet /norestart /x$LO_CODE"
levels=$(sed -n 's/.*trace:msi:MsiSetInternalUI \([0-9a-f]*\) .*/\1/p' "$SCENARIO_DIR/run.log")
[ "$(wc -l <<<"$levels")" = 2 ] ||
  e2e_fail "expected two installer runs to set their interface level, saw: $levels (log: $SCENARIO_DIR/run.log)"
[ "$(sort -u <<<"$levels")" = 00000002 ] || e2e_fail "installer runs set the interface levels: $levels"
expect=$SCENARIO_DIR/expect.txt
expect_suite_removed "$expect" "$LO_KEY" "$LO_VENDOR" "$LO_CODE" "$LO_HELP_CODE"
expect_addon_removed "$expect"
mapfile -t shortcuts < <(desktop_shortcuts "$LO_KEY" LibreOffice Writer Calc Draw Impress Base Math)
expect_shortcuts_deleted "$expect" "${shortcuts[@]}"
expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$expect"
