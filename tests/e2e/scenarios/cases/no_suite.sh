# No suite: an add-on record and two soffice.bin exist, but nothing is the suite's, so the
# run starts nothing, ends nothing and changes nothing.
addon_install
INSTALL_DIR='C:\Program Files\Other'
mkdir -p "$(unix_path "$INSTALL_DIR\program")"
suite_start_processes
snapshot "$SCENARIO_DIR/before"
program_run /quiet
snapshot "$SCENARIO_DIR/after"

expect_status 0
expect_commands
: >"$SCENARIO_DIR/expect.txt"
expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$SCENARIO_DIR/expect.txt"
