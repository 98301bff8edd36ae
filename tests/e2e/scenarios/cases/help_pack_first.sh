# The French help pack's record sorts before the suite's, so it is the first record named
# after the product key. Wine's installer lists each product under its upgrade code, both
# packed exactly as the program packs them; that list shows which record is the suite's,
# and one run removes the help pack, then the suite, and cleans up.
libreoffice_install_all libreoffice.msi libreoffice-help-fr-early.msi
listed=$(upgrade_code_entries)
expected=$(paste -d ' ' <(packed_codes "$UPGRADE_CODE" "$HELP_UPGRADE_CODE") \
  <(packed_codes "$LO_CODE" "$LO_HELP_EARLY_CODE") | sort)
[ "$listed" = "$expected" ] ||
  e2e_fail "the installer lists:"$'\n'"$listed"$'\n'"the program packs them as:"$'\n'"$expected"
grep -q '^325E71B419D596E4DB69F78DC1AF18BB ' <<<"$listed" ||
  e2e_fail "the suite's upgrade code is not listed in its documented packed form: $listed"
snapshot "$SCENARIO_DIR/before"
program_run /quiet
snapshot "$SCENARIO_DIR/after"

expect_status 0
expect_commands "\"$ADDON_DIR\\unins000.exe\"  /verysilent" \
  "\"C:\\windows\\system32\\Msiexec.exe\" /quiet /norestart /x$LO_HELP_EARLY_CODE" \
  "\"C:\\windows\\system32\\Msiexec.exe\" /quiet /norestart /x$LO_CODE"
expect=$SCENARIO_DIR/expect.txt
expect_suite_removed "$expect" "$LO_KEY" "$LO_VENDOR" "$LO_CODE" "$LO_HELP_EARLY_CODE"
expect_addon_removed "$expect"
mapfile -t shortcuts < <(desktop_shortcuts "$LO_KEY" LibreOffice Writer Calc Draw Impress Base Math)
expect_shortcuts_deleted "$expect" "${shortcuts[@]}"
expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$expect"
