# The typical run: "/quiet" removes the add-on, the help pack and the suite silently, ends
# both soffice.bin, deletes the shortcuts and sends both folders to the Recycle Bin.
libreoffice_install_all
snapshot "$SCENARIO_DIR/before"
program_run /quiet
snapshot "$SCENARIO_DIR/after"

expect_full_quiet_removal "$LO_VENDOR"
expect_addon_command
