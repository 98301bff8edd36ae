# Help packs of two more languages and the SDK beside the suite and its French help pack,
# all from the suite's publisher and in its folder: after the French help pack the others
# go in their records' order, then the suite; nothing of the family is left, and the
# folder goes to the Recycle Bin.
libreoffice_install_all
for package in libreoffice-help-de.msi libreoffice-help-es.msi libreoffice-sdk.msi; do
  msi_install "$package"
done
snapshot "$SCENARIO_DIR/before"
program_run /quiet
snapshot "$SCENARIO_DIR/after"

expect_status 0
tool='"C:\windows\system32\Msiexec.exe" /quiet /norestart /x'
expect_commands "\"$ADDON_DIR\\unins000.exe\"  /verysilent" "$tool$LO_HELP_CODE" \
  "$tool$LO_HELP_DE_CODE" "$tool$LO_HELP_ES_CODE" "$tool$LO_SDK_CODE" "$tool$LO_CODE"
expect=$SCENARIO_DIR/expect.txt
expect_suite_removed "$expect" "$LO_KEY" "$LO_VENDOR" "$LO_CODE" "$LO_HELP_CODE" \
  "$LO_HELP_DE_CODE" "$LO_HELP_ES_CODE" "$LO_SDK_CODE"
expect_addon_removed "$expect"
mapfile -t shortcuts < <(desktop_shortcuts "$LO_KEY" LibreOffice Writer Calc Draw Impress Base Math)
expect_shortcuts_deleted "$expect" "${shortcuts[@]}"
expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$expect"
