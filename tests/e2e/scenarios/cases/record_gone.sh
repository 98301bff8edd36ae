# The suite is detected and found, but its package's uninstall record is already gone:
# nothing is removed, ended or started. (No help pack here: its record's name also begins
# with the product key, so it would be taken for the suite's.)
suite_install libreoffice.msi "$LO_KEY" LibreOffice
addon_install
suite_add_leftovers
suite_start_processes
e2e_reg delete "$UNINSTALL\\$LO_CODE" /f
snapshot "$SCENARIO_DIR/before"
program_run /quiet
snapshot "$SCENARIO_DIR/after"

expect_status 0
expect_commands
: >"$SCENARIO_DIR/expect.txt"
expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$SCENARIO_DIR/expect.txt"
