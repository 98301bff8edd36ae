# The suite's package refuses its removal (an error action): its record stays, so nothing
# is cleaned up and the status is the installer's. What went before it is done: the
# processes ended, the add-on and the help pack removed.
libreoffice_install_all libreoffice-failing.msi
snapshot "$SCENARIO_DIR/before"
program_run /quiet
snapshot "$SCENARIO_DIR/after"

expect_status 1603
expect_commands "\"$ADDON_DIR\\unins000.exe\"  /verysilent" \
  "\"C:\\windows\\system32\\Msiexec.exe\" /quiet /norestart /x$LO_HELP_CODE" \
  "\"C:\\windows\\system32\\Msiexec.exe\" /quiet /norestart /x$LO_FAILING_CODE"
expect_addon_command
expect=$SCENARIO_DIR/expect.txt
{
  printf 'reg-gone-product %s\n' "$LO_HELP_CODE"
  printf 'file-gone %s\n' "$INSTALL_DIR\\help\\fr"
  printf 'process-ended %s\n' soffice.bin soffice.bin
} >"$expect"
expect_addon_removed "$expect"
expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$expect"
