#!/usr/bin/env bash
# Builds the scenarios' installer packages with wixl and gathers the programs a prefix
# needs into one folder, which each scenario copies to C:\tests.
# Usage: build-fixtures.sh OUT quorvalis.exe sleeper.exe start_detached.exe
#                          process_list.exe addon_uninstaller.exe exit_status.exe
#                          [mutex_holder.exe]
# The packages are of QUORVALIS_WINE_ARCH's architecture (x86 for win32, x64 for win64);
# the suite and its help pack are also built for each architecture by name
# (libreoffice-x86.msi, libreoffice-help-fr-x64.msi, ...), for 64-bit prefixes.
set -euo pipefail
out=$1
x86=(-a x86 -D ProgramFilesDir=ProgramFilesFolder -D Win64=no)
x64=(-a x64 -D ProgramFilesDir=ProgramFiles64Folder -D Win64=yes)
case ${QUORVALIS_WINE_ARCH:-win32} in
  win32) arch=("${x86[@]}") ;;
  win64) arch=("${x64[@]}") ;;
  *) echo "unknown architecture $QUORVALIS_WINE_ARCH" >&2; exit 1 ;;
esac
fixtures=$(cd "$(dirname "$0")/../fixtures" && pwd)
. "$(dirname "$0")/products.sh"

rm -rf "$out"
mkdir -p "$out/tests" "$out/work"
cp "$2" "$out/tests/quorvalis.exe"
cp "$3" "$out/tests/sleeper.exe"
cp "$4" "$out/tests/start_detached.exe"
cp "$5" "$out/tests/process_list.exe"
cp "$6" "$out/tests/addon_uninstaller.exe"
cp "$7" "$out/tests/exit_status.exe"
[ -z "${8:-}" ] || cp "$8" "$out/tests/mutex_holder.exe"

# One package: NAME WXS then wixl's -D definitions; its sources in a folder of its own.
package() {
  local name=$1 wxs=$2 product_key=$3
  shift 3
  local work=$out/work/$name
  mkdir -p "$work"
  printf '[Bootstrap]\r\nProductKey=%s\r\n' "$product_key" >"$work/bootstrap.ini"
  printf 'Kept by the package on removal, so its desktop shortcuts stay.\r\n' >"$work/shortcuts.txt"
  printf '<html lang="fr"><title>Aide</title></html>\r\n' >"$work/index.html"
  cp "$out/tests/sleeper.exe" "$work/soffice.exe"
  (cd "$work" && wixl "${arch[@]}" -o "$out/tests/$name.msi" "$fixtures/$wxs" -D ProductKey="$product_key" "$@")
}

# wixl has no Permanent attribute: set it in the Component table afterwards.
make_desktop_permanent() {
  msibuild "$out/tests/$1.msi" -q "UPDATE Component SET Attributes=16 WHERE Component='DesktopShortcuts'"
}

suite() { # name brand product_name product_key version version_key code vendor_key folder appid_type appid_value
  package "$1" suite.wxs "$4" -D Modules="$2" -D ProductName="$3" -D Version="$5" \
    -D VersionKey="$6" -D ProductCode="$7" -D Manufacturer="$2 Test Publisher" \
    -D VendorKey="$8" -D FolderName="$9" -D AppIdType="${10}" -D AppIdValue="${11}"
  make_desktop_permanent "$1"
}

suite libreoffice LibreOffice "$LO_NAME" "$LO_KEY" 7.6.4.1 7.6 "$LO_CODE" "$LO_VENDOR" \
  LibreOffice string "LibreOffice Service Manager"
suite libreoffice-dword LibreOffice "$LO_NAME" "$LO_KEY" 7.6.4.1 7.6 "$LO_DWORD_CODE" "$LO_VENDOR" \
  LibreOffice integer 1
suite libreoffice-failing LibreOffice "$LO_NAME" "$LO_KEY" 7.6.4.1 7.6 "$LO_FAILING_CODE" "$LO_VENDOR" \
  LibreOffice string "LibreOffice Service Manager"
# An error action (type 19) when the package is being removed: the removal fails with 1603.
msibuild "$out/tests/libreoffice-failing.msi" \
  -q "INSERT INTO CustomAction (Action, Type, Source, Target) VALUES ('RefuseRemoval', 19, '', 'This test package refuses its removal.')" \
  -q "INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('RefuseRemoval', 'REMOVE=\"ALL\"', 1450)"
suite collabora "Collabora Office" "$CO_NAME" "$CO_KEY" 23.5.6.2 23.05 "$CO_CODE" "$CO_VENDOR" \
  "Collabora Office" string "Collabora Office Service Manager"
# The program's list of this brand's desktop shortcuts holds no Base: leave it out here.
msibuild "$out/tests/collabora.msi" -q "DELETE FROM Shortcut WHERE Shortcut='DesktopBase'"
suite zetaoffice ZetaOffice "$ZO_NAME" "$ZO_KEY" 24.2.1.1 24.2 "$ZO_CODE" "$ZO_VENDOR" \
  ZetaOffice string "ZetaOffice Service Manager"

package libreoffice-help-fr helppack.wxs "$LO_KEY" -D Version=7.6.4.1 -D ProductCode="$LO_HELP_CODE" \
  -D Manufacturer="LibreOffice Test Publisher" -D FolderName=LibreOffice
for bits in x86 x64; do
  if [ "$bits" = x86 ]; then arch=("${x86[@]}"); else arch=("${x64[@]}"); fi
  suite "libreoffice-$bits" LibreOffice "$LO_NAME" "$LO_KEY" 7.6.4.1 7.6 "$LO_CODE" "$LO_VENDOR" \
    LibreOffice string "LibreOffice Service Manager"
  package "libreoffice-help-fr-$bits" helppack.wxs "$LO_KEY" -D Version=7.6.4.1 \
    -D ProductCode="$LO_HELP_CODE" -D Manufacturer="LibreOffice Test Publisher" -D FolderName=LibreOffice
done
rm -rf "$out/work"
ls "$out/tests"
