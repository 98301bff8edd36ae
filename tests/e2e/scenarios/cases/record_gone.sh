# The suite is detected and its folder found, but its package's uninstall record is
# already gone, so no view gives its product code: nothing is removed, ended or started,
# and the run says it could not locate the suite (218). (No help pack here: its record's
# name also begins with the product key, so it would be taken for the suite's.)
suite_install libreoffice.msi "$LO_KEY" LibreOffice
addon_install
suite_add_leftovers
suite_start_processes
e2e_reg delete "$UNINSTALL\\$LO_CODE" /f
snapshot "$SCENARIO_DIR/before"
program_run /quiet
snapshot "$SCENARIO_DIR/after"

expect_status 218
expect_commands
: >"$SCENARIO_DIR/expect.txt"
expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$SCENARIO_DIR/expect.txt"
