# Another publisher's package whose name begins with the product key, its record sorting
# before every record of the suite: the run neither takes it for the suite nor removes it
# as one of the family, and it does not hold the suite's folder back.
libreoffice_install_all
msi_install companion.msi
snapshot "$SCENARIO_DIR/before"
grep -qF "\"DisplayName\"=\"$COMPANION_NAME\"" "$SCENARIO_DIR/before/registry.txt" ||
  e2e_fail "the other publisher's package is not recorded as $COMPANION_NAME"
program_run /quiet
snapshot "$SCENARIO_DIR/after"

# Its record, its list entry and its files stay: the comparison fails on any change there.
expect_full_quiet_removal "$LO_VENDOR"
