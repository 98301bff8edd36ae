# The suite's identifiers are registered, but no registry view holds its vendor key: the
# run cannot tell where the suite lives, touches nothing, and says so with 218.
libreoffice_install_all
e2e_reg delete "HKLM\\$LO_VENDOR" /reg:64 /f
e2e_reg delete "HKLM\\$LO_VENDOR" /reg:32 /f 2>/dev/null || true
snapshot "$SCENARIO_DIR/before"
program_run /quiet
snapshot "$SCENARIO_DIR/after"

expect_status 218
expect_commands
: >"$SCENARIO_DIR/expect.txt"
expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$SCENARIO_DIR/expect.txt"
