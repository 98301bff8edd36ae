# The first record named after the product key is a stale one whose product the
# installer does not know, though its list under the suite's upgrade code still names it
# (a registration half gone): msiexec answers 1605, the record stays, nothing is cleaned
# up and the status is the installer's.
readonly stale="{0E1D5A20-7C4B-4F0E-9A61-2B8C0D4E6F0F}"
suite_install libreoffice.msi "$LO_KEY" LibreOffice
addon_install
suite_start_processes
e2e_reg add "$UNINSTALL\\$stale" /v DisplayName /d "$LO_NAME" /f
e2e_reg add "$UNINSTALL\\$stale" /v UninstallString /t REG_EXPAND_SZ /d "MsiExec.exe /I$stale" /f
mapfile -t packed < <(packed_codes "$UPGRADE_CODE" "$stale")
e2e_reg add "HKLM\\SOFTWARE\\Classes\\Installer\\UpgradeCodes\\${packed[0]}" /v "${packed[1]}" /d "" /f
snapshot "$SCENARIO_DIR/before"
program_run /quiet
snapshot "$SCENARIO_DIR/after"

expect_status 1605
expect_commands "\"$ADDON_DIR\\unins000.exe\"  /verysilent" \
  "\"C:\\windows\\system32\\Msiexec.exe\" /quiet /norestart /x$stale"
expect=$SCENARIO_DIR/expect.txt
printf 'process-ended %s\n' soffice.bin soffice.bin >"$expect"
expect_addon_removed "$expect"
expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$expect"
