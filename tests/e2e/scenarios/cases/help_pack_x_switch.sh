# The help pack's record says "MsiExec.exe /X{code}": removed with the run's options all
# the same, so under "/quiet" every installer run is quiet (Wine's msi channel shows the
# interface level each run sets: 2, INSTALLUILEVEL_NONE, the level of "/qn" and "/quiet").
libreoffice_install_all
e2e_reg add "$UNINSTALL\\$LO_HELP_CODE" /v UninstallString /t REG_EXPAND_SZ \
  /d "MsiExec.exe /X$LO_HELP_CODE" /f
snapshot "$SCENARIO_DIR/before"
E2E_WINEDEBUG=-all,+msi program_run /quiet
snapshot "$SCENARIO_DIR/after"

levels=$(sed -n 's/.*trace:msi:MsiSetInternalUI \([0-9a-f]*\) .*/\1/p' "$SCENARIO_DIR/run.log")
[ "$(wc -l <<<"$levels")" = 2 ] ||
  e2e_fail "expected two installer runs to set their interface level, saw: $levels (log: $SCENARIO_DIR/run.log)"
[ "$(sort -u <<<"$levels")" = 00000002 ] || e2e_fail "installer runs set the interface levels: $levels"
expect_full_quiet_removal "$LO_VENDOR"
