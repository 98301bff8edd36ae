# The machine most scenarios start from: a suite with its French help pack and an add-on,
# files no package owns in its folders, two soffice.bin running and one unrelated
# process (soffice.exe) that must survive. Source after suite_lib.sh.

INSTALL_DIR=
MENU_DIR=
LEFTOVERS=()
# Where packages install: an x86 package in a 64-bit prefix goes to "Program Files (x86)".
PROGRAM_FILES='C:\Program Files'

suite_install() { # package.msi product_key folder_name [PROPERTY=VALUE...]
  local package=$1 key=$2
  INSTALL_DIR="$PROGRAM_FILES\\$3"
  MENU_DIR="$PROGRAMS\\$key"
  shift 3
  msi_install "$package" "$@"
  # What the package itself keeps on removal (its permanent component's file).
  LEFTOVERS=("$INSTALL_DIR\\program\\shortcuts.txt")
}

# The two running soffice.bin are one file: it stays in the folder the Recycle Bin gets.
suite_start_processes() {
  process_start "$INSTALL_DIR\\program\\soffice.bin"
  e2e_wine 'C:\tests\start_detached.exe' "$INSTALL_DIR\\program\\soffice.bin" \
    </dev/null >/dev/null 2>&1 || e2e_fail "could not start soffice.bin again"
  process_start 'C:\tests\soffice.exe'
  LEFTOVERS+=("$INSTALL_DIR\\program\\soffice.bin")
}

suite_add_leftovers() {
  local path
  while read -r path; do LEFTOVERS+=("$path"); done < <(leftovers_create "$INSTALL_DIR" "$MENU_DIR")
}

libreoffice_install_all() { # [suite package [help pack package]]
  suite_install "${1:-libreoffice.msi}" "$LO_KEY" LibreOffice
  msi_install "${2:-libreoffice-help-fr.msi}"
  addon_install
  suite_add_leftovers
  suite_start_processes
}

# The desktop shortcuts the program deletes for a product key and brand.
desktop_shortcuts() { # product_key brand modules...
  local key=$1 brand=$2 module
  shift 2
  printf '%s\n' "$DESKTOP\\$key.lnk"
  for module in "$@"; do printf '%s\n' "$DESKTOP\\$brand $module.lnk"; done
}

# The suite's identifiers, which its package takes away. Wine mirrors the application
# identifier into the 32-bit view of a 64-bit prefix (Windows shares the key); the export
# lists the mirror under both of its names. An x86 package in a 64-bit prefix (SUITE_BITS
# x86 there) writes its programmatic identifier into the 32-bit view only.
SUITE_BITS=
expect_identifiers_gone() {
  local appid='AppID\{82154420-0FBF-11d4-8313-005004526AB4}' progid=com.sun.star.ServiceManager.1
  local classes
  for classes in 'Software\Classes' 'Software\Classes\Wow6432Node' 'Software\Wow6432Node\Classes'; do
    [ "$classes" = 'Software\Classes' ] || [ "$QUORVALIS_WINE_ARCH" = win64 ] || continue
    printf 'reg-gone-key HKEY_LOCAL_MACHINE\\%s\\%s\n' "$classes" "$appid"
    if [ "$QUORVALIS_WINE_ARCH" = win64 ] && [ "$SUITE_BITS" = x86 ]; then
      [ "$classes" = 'Software\Classes' ] || printf 'reg-gone-key HKEY_LOCAL_MACHINE\\%s\\%s\n' "$classes" "$progid"
    else
      [ "$classes" != 'Software\Classes' ] || printf 'reg-gone-key HKEY_LOCAL_MACHINE\\%s\\%s\n' "$classes" "$progid"
    fi
  done
}

# What a full removal takes away: the products' registry values, the shortcuts, the two
# folders (to the Recycle Bin with every file left in them), the add-on's record, and
# the two soffice.bin. The add-on's uninstaller leaves the file it writes.
expect_suite_removed() { # out product_key vendor_key codes...
  local out=$1 key=$2 vendor=$3 code path
  shift 3
  {
    for code in "$@"; do printf 'reg-gone-product %s\n' "$code"; done
    printf 'reg-gone-key HKEY_LOCAL_MACHINE\\%s\n' "$vendor"
    expect_identifiers_gone
    printf 'file-gone %s\n' "$INSTALL_DIR" "$MENU_DIR"
    printf 'trashed %s\n' "$INSTALL_DIR" "$MENU_DIR"
    for path in "${LEFTOVERS[@]}"; do printf 'trash-holds %s\n' "$path"; done
    printf 'process-ended %s\n' soffice.bin soffice.bin
  } >"$out"
}

expect_addon_removed() { # out
  local software=Software
  [ "$ADDON_VIEW" != /reg:32 ] || [ "$QUORVALIS_WINE_ARCH" != win64 ] || software='Software\Wow6432Node'
  {
    printf 'reg-gone-key HKEY_LOCAL_MACHINE\\%s\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\%s\n' \
      "$software" "$ADDON_RECORD"
    printf 'file-new %s\\uninstall-command.txt\n' "$ADDON_DIR"
  } >>"$1"
}

expect_shortcuts_deleted() { # out paths...
  local out=$1
  shift
  printf 'file-gone %s\n' "$@" >>"$out"
}

# The typical "/quiet" run's ending: status 0; the add-on's uninstaller, the help pack
# and the suite started in that order; exactly the suite (its vendor key VENDOR), its
# help pack, add-on, shortcuts and folders gone.
expect_full_quiet_removal() { # vendor_key
  local expect=$SCENARIO_DIR/expect.txt shortcuts
  expect_status 0
  expect_commands "\"$ADDON_DIR\\unins000.exe\"  /verysilent" \
    "\"C:\\windows\\system32\\Msiexec.exe\" /quiet /norestart /x$LO_HELP_CODE" \
    "\"C:\\windows\\system32\\Msiexec.exe\" /quiet /norestart /x$LO_CODE"
  expect_suite_removed "$expect" "$LO_KEY" "$1" "$LO_CODE" "$LO_HELP_CODE"
  expect_addon_removed "$expect"
  mapfile -t shortcuts < <(desktop_shortcuts "$LO_KEY" LibreOffice Writer Calc Draw Impress Base Math)
  expect_shortcuts_deleted "$expect" "${shortcuts[@]}"
  expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$expect"
}

# A "/quiet" run without help pack whose recorded installation folder must stay: the
# package's keys, the add-on, the shortcuts, both soffice.bin and the Start-menu folder
# (to the Recycle Bin) go; nothing of the installation folder does.
expect_removal_keeping_folder() {
  local expect=$SCENARIO_DIR/expect.txt shortcuts
  expect_status 0
  expect_commands "\"$ADDON_DIR\\unins000.exe\"  /verysilent" \
    "\"C:\\windows\\system32\\Msiexec.exe\" /quiet /norestart /x$LO_CODE"
  {
    printf 'reg-gone-product %s\n' "$LO_CODE"
    printf 'reg-gone-key HKEY_LOCAL_MACHINE\\%s\n' "$LO_VENDOR"
    expect_identifiers_gone
    printf 'file-gone %s\n' "$MENU_DIR"
    printf 'trashed %s\n' "$MENU_DIR"
    printf 'trash-holds %s\n' "$MENU_DIR\\$LO_KEY (Safe Mode).lnk"
    printf 'process-ended %s\n' soffice.bin soffice.bin
  } >"$expect"
  expect_addon_removed "$expect"
  mapfile -t shortcuts < <(desktop_shortcuts "$LO_KEY" LibreOffice Writer Calc Draw Impress Base Math)
  expect_shortcuts_deleted "$expect" "${shortcuts[@]}"
  expect_changes "$SCENARIO_DIR/before" "$SCENARIO_DIR/after" "$expect"
}

# The add-on's uninstaller was started as ShellExecuteExA starts it: its quoted path, a
# blank, then the parameters " /verysilent".
expect_addon_command() {
  expect_file_text "$ADDON_DIR\\uninstall-command.txt" "\"$ADDON_DIR\\unins000.exe\"  /verysilent"
}

# The suite of one architecture (x86 or x64) in a 64-bit prefix, with its help pack and
# an add-on whose record is in the same view: its records are in that view only, and one
# run of the program at hand removes all of it.
remove_suite_of_architecture() { # x86|x64
  local bits=$1 view=/reg:64 other=/reg:32 vendor=$LO_VENDOR
  SUITE_BITS=$bits
  if [ "$bits" = x86 ]; then
    PROGRAM_FILES='C:\Program Files (x86)' view=/reg:32 other=/reg:64
    vendor="SOFTWARE\\Wow6432Node\\${LO_VENDOR#SOFTWARE\\}"
  fi
  ADDON_VIEW=$view
  libreoffice_install_all "libreoffice-$bits.msi" "libreoffice-help-fr-$bits.msi"
  e2e_wine reg query "$UNINSTALL\\$LO_CODE" "$view" >/dev/null 2>&1 ||
    e2e_fail "the $bits package's record is not in the $view view"
  # Windows shares programmatic identifiers between the views; Wine keeps them per view,
  # so the other architecture's COM would not find the suite's. The same identifier in
  # the other view stands for the shared key (it stays there after the removal).
  e2e_reg add 'HKCR\com.sun.star.ServiceManager.1\CLSID' /ve \
    /d '{82154420-0FBF-11d4-8313-005004526AB4}' "$other" /f
  if e2e_wine reg query "$UNINSTALL\\$LO_CODE" "$other" >/dev/null 2>&1; then
    e2e_fail "the $bits package's record is in the $other view too"
  fi
  snapshot "$SCENARIO_DIR/before"
  program_run /quiet
  snapshot "$SCENARIO_DIR/after"

  expect_full_quiet_removal "$vendor"
}
