# The machine most scenarios start from: a suite with its French help pack and an add-on,
# files no package owns in its folders, two soffice.bin running and one unrelated
# process (soffice.exe) that must survive. Source after suite_lib.sh.

INSTALL_DIR=
MENU_DIR=
LEFTOVERS=()

suite_install() { # package.msi product_key folder_name [PROPERTY=VALUE...]
  local package=$1 key=$2
  INSTALL_DIR="C:\\Program Files\\$3"
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

libreoffice_install_all() { # [suite package]
  suite_install "${1:-libreoffice.msi}" "$LO_KEY" LibreOffice
  msi_install libreoffice-help-fr.msi
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
# lists the mirror under both of its names.
expect_identifiers_gone() {
  local appid='AppID\{82154420-0FBF-11d4-8313-005004526AB4}' classes
  printf 'reg-gone-key HKEY_LOCAL_MACHINE\\Software\\Classes\\com.sun.star.ServiceManager.1\n'
  for classes in 'Software\Classes' 'Software\Classes\Wow6432Node' 'Software\Wow6432Node\Classes'; do
    [ "$classes" = 'Software\Classes' ] || [ "$QUORVALIS_WINE_ARCH" = win64 ] || continue
    printf 'reg-gone-key HKEY_LOCAL_MACHINE\\%s\\%s\n' "$classes" "$appid"
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
  {
    printf 'reg-gone-key HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\%s\n' \
      "$ADDON_RECORD"
    printf 'file-new %s\\uninstall-command.txt\n' "$ADDON_DIR"
  } >>"$1"
}

expect_shortcuts_deleted() { # out paths...
  local out=$1
  shift
  printf 'file-gone %s\n' "$@" >>"$out"
}

# The add-on's uninstaller was started as ShellExecuteExA starts it: its quoted path, a
# blank, then the parameters " /verysilent".
expect_addon_command() {
  expect_file_text "$ADDON_DIR\\uninstall-command.txt" "\"$ADDON_DIR\\unins000.exe\"  /verysilent"
}
