# Another installation runs (a program owns the installer's mutex): the run ends with
# 1618 before anything is touched, so a deployment tool's retry finds the suite whole.
libreoffice_install_all
e2e_wine 'C:\tests\start_detached.exe' 'C:\tests\mutex_holder.exe' 'Global\_MSIExecute' \
  </dev/null >/dev/null 2>&1 || e2e_fail "could not start the mutex holder"
snapshot "$SCENARIO_DIR/before"
program_run /quiet
snapshot "$SCENARIO_DIR/after"

expect_status 1618
expect_commands
: >"$SCENARIO_DIR/expect.txt"
expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$SCENARIO_DIR/expect.txt"
