# Collabora Office, found through its own vendor key: the package and its "Collabora
# Extension" add-on removed, its brand's desktop shortcuts deleted, its folders trashed.
suite_install collabora.msi "$CO_KEY" "Collabora Office"
addon_install "Collabora Extension Demo 1.0"
suite_add_leftovers
suite_start_processes
snapshot "$SCENARIO_DIR/before"
program_run /quiet
snapshot "$SCENARIO_DIR/after"

expect_status 0
expect_commands "\"$ADDON_DIR\\unins000.exe\"  /verysilent" \
  "\"C:\\windows\\system32\\Msiexec.exe\" /quiet /norestart /x$CO_CODE"
expect_addon_command
expect=$SCENARIO_DIR/expect.txt
expect_suite_removed "$expect" "$CO_KEY" "$CO_VENDOR" "$CO_CODE"
expect_addon_removed "$expect"
mapfile -t shortcuts < <(desktop_shortcuts "$CO_KEY" "Collabora Office" Writer Calc Draw Impress Math)
expect_shortcuts_deleted "$expect" "${shortcuts[@]}"
expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$expect"
