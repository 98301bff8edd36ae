# ZetaOffice, found through its own vendor key (the last one tried): the package removed,
# the shortcut named after its product key deleted, its folders trashed. Its brand's
# module shortcuts ("ZetaOffice Writer.lnk") are not among the names the program
# deletes, so they stay.
suite_install zetaoffice.msi "$ZO_KEY" ZetaOffice
suite_add_leftovers
suite_start_processes
snapshot "$SCENARIO_DIR/before"
program_run /quiet
snapshot "$SCENARIO_DIR/after"

expect_status 0
expect_commands "\"C:\\windows\\system32\\Msiexec.exe\" /quiet /norestart /x$ZO_CODE"
expect=$SCENARIO_DIR/expect.txt
expect_suite_removed "$expect" "$ZO_KEY" "$ZO_VENDOR" "$ZO_CODE"
mapfile -t shortcuts < <(desktop_shortcuts "$ZO_KEY" ZetaOffice)
expect_shortcuts_deleted "$expect" "${shortcuts[@]}"
expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$expect"
