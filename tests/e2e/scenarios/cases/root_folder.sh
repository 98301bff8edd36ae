# The suite installed at the drive root, so its installation folder is recorded as "C:\":
# the package is removed, but only the Start-menu folder goes to the Recycle Bin; the
# drive root and every file on it stay.
suite_install libreoffice.msi "$LO_KEY" LibreOffice 'INSTALLDIR=C:\'
INSTALL_DIR='C:'
addon_install
suite_add_leftovers
suite_start_processes
snapshot "$SCENARIO_DIR/before"
grep -qF '"INSTALLLOCATION"="C:\\"' "$SCENARIO_DIR/before/registry.txt" ||
  e2e_fail "the package did not record C:\\ as its installation folder"
program_run /quiet
snapshot "$SCENARIO_DIR/after"

# Wine's installer resolves INSTALLDIR anew on removal and so leaves the package's own
# files in C:\program; they stay, with the rest of the drive.
expect_removal_keeping_folder
