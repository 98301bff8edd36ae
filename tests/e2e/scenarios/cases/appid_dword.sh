# The application identifier's default value is a DWORD: reading it fails, the run ends
# with the error box and status 217 before it changes anything.
suite_install libreoffice-dword.msi "$LO_KEY" LibreOffice
addon_install
suite_start_processes
# The relay channel then logs only the box's call, with its arguments.
e2e_reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ \
  /d "user32.MessageBoxA;user32.MessageBoxW" /f
snapshot "$SCENARIO_DIR/before"
E2E_WINEDEBUG=+relay program_run /quiet
snapshot "$SCENARIO_DIR/after"

expect_status 217
expect_commands
text='An unhandled exception occurred at \$[0-9A-F]{8}:\\nERegistryException: Invalid registry data type: \\"\\"'
call="Call user32\.MessageBox[AW]\([0-9a-f]+,[0-9a-f]+ L?\"$text\",[0-9a-f]+ L?\"Error\",00000010\)"
calls=$(grep -cE "$call" "$SCENARIO_DIR/run.log" || true)
if [ "$calls" != 1 ]; then
  grep -F MessageBox "$SCENARIO_DIR/run.log" >&2 || true
  e2e_fail "expected one box captioned \"Error\" with the exception's text, saw $calls"
fi
: >"$SCENARIO_DIR/expect.txt"
expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$SCENARIO_DIR/expect.txt"
