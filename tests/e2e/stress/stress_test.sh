#!/usr/bin/env bash
# The real quorvalis.exe under Wine in conditions the sim cannot show.
# Usage: stress_test.sh SCENARIO PATH/TO/quorvalis.exe PATH/TO/file_locker.exe BUILD_DIR
#   many_records        5,000 uninstall records, the suite's own last: the installer does not
#                       know the product, so the run ends with its status and recycles nothing
#   locked_bootstrap    another process holds the bootstrap file open without sharing:
#                       the EFOpenError box, then 217
#   dword_display_name  a record's DisplayName is a number: the ERegistryException box, then 217
set -euo pipefail
scenario=$1
exe=$(readlink -f "$2")
locker=$(readlink -f "$3")
build=$(readlink -f "$4")
. "$(dirname "$0")/../lib/wine_prefix.sh"

readonly limit=300  # 5,000 records take many registry calls; a waiting box never ends
readonly code='{6A1C5B3E-1234-4C2D-9E8F-0A1B2C3D4E5F}'
readonly records='HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'

name=stress-${scenario//_/-}
e2e_prefix_make "$build" "$name"
dir=$build/e2e/$name
drive=$E2E_PREFIX/drive_c
folder=$drive/Program\ Files/LibreOffice
shortcut=$drive/users/Public/Desktop/LibreOffice\ Writer.lnk
trash=$E2E_HOME/.local/share/Trash

# The suite as detection and lookup find it; no installer package stands behind it.
mkdir -p "$folder/program" "$(dirname "$shortcut")"
printf '[Bootstrap]\r\nInstallMode=<installmode>\r\nProductKey=LibreOffice 7.6\r\n' >"$folder/program/bootstrap.ini"
printf 'shortcut' >"$shortcut"

crlf() { printf '%s\r\n' "$@"; }
{
  crlf REGEDIT4 ''
  crlf '[HKEY_CLASSES_ROOT\com.sun.star.ServiceManager.1\CLSID]' '@="{82154420-0FBF-11D4-8313-005004526AB4}"' ''
  crlf '[HKEY_CLASSES_ROOT\AppID\{82154420-0FBF-11d4-8313-005004526AB4}]' '@="LibreOffice 7.6"' ''
  crlf '[HKEY_LOCAL_MACHINE\SOFTWARE\The Document Foundation\LibreOffice\7.6\{4B17E523-5D91-4E69-BD96-7FD81CFA81BB}]' \
    '"INSTALLLOCATION"="C:\\Program Files\\LibreOffice\\"' ''
  crlf "[$records\\$code]" '"DisplayName"="LibreOffice 7.6.4.1"' "\"UninstallString\"=\"MsiExec.exe /I$code\"" ''
  crlf '[HKEY_CURRENT_USER\Software\Wine\Debug]' '"RelayInclude"="user32.MessageBoxA;user32.MessageBoxW"' ''
  case $scenario in
    many_records)
      # Letters sort before "{": the suite's record comes last.
      for i in $(seq -w 1 5000); do
        crlf "[$records\\Record $i]" "\"DisplayName\"=\"Program $i\"" "\"UninstallString\"=\"C:\\\\p\\\\$i.exe\"" ''
      done
      ;;
    dword_display_name)
      crlf "[$records\\AAA Broken]" '"DisplayName"=dword:00000001' '"UninstallString"="C:\\p\\broken.exe"' ''
      ;;
  esac
} >"$drive/stress.reg"
E2E_WINEDEBUG=-all e2e_wine regedit /S 'C:\stress.reg' >/dev/null 2>&1 || e2e_fail "regedit could not import the records"
rm -f "$drive/stress.reg"
record_there() { E2E_WINEDEBUG=-all e2e_wine reg query "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$code" >/dev/null 2>&1; }
record_there || e2e_fail "the suite's record was not imported"
if [ "$scenario" = many_records ]; then
  imported=$(E2E_WINEDEBUG=-all e2e_wine reg query 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall' |
             grep -c 'Uninstall.Record ' || true)
  [ "$imported" = 5000 ] || e2e_fail "imported $imported records, expected 5000"
fi

log=$dir/run.log
run() { E2E_WINEDEBUG=-all,+relay e2e_run "$log" "$limit" "$exe" /quiet; }
case $scenario in
  locked_bootstrap)
    ready=$drive/locker-ready release=$drive/locker-release
    e2e_wine "$locker" 'C:\Program Files\LibreOffice\program\bootstrap.ini' 'C:\locker-ready' 'C:\locker-release' \
      >"$dir/locker.log" 2>&1 &
    locker_pid=$!
    for _ in $(seq 1 300); do [ -f "$ready" ] && break; sleep 0.2; done
    [ -f "$ready" ] || e2e_fail "the locker never held the file"
    run
    touch "$release"
    wait "$locker_pid" || e2e_fail "the locker ended with status $?"
    ;;
  *) run ;;
esac
[ "$E2E_STATUS" != 124 ] || e2e_fail "still running after ${limit}s"

# The relay log has one "Call user32.MessageBox..." line per box shown.
boxes=$(grep -E 'Call user32\.MessageBox[AW]\(' "$log" || true)
box_count=$(printf '%s' "$boxes" | grep -c . || true)
expect_box() { # fragment of the error line
  [ "$box_count" = 1 ] || e2e_fail "expected one box, saw $box_count (log: $log)"
  grep -qF -- "$1" <<<"$boxes" || e2e_fail "the box does not say \"$1\": $boxes"
  grep -qE ',[0-9a-f]+ L?"Error",00000010\)' <<<"$boxes" || e2e_fail "the box is not captioned \"Error\": $boxes"
}

case $scenario in
  many_records)
    # The installer's "unknown product" (1605) or 1603, as the low byte Linux sees: 69 or 67.
    [ "$E2E_STATUS" = 69 ] || [ "$E2E_STATUS" = 67 ] ||
      e2e_fail "exit status $E2E_STATUS, expected the installer's failure status"
    [ "$box_count" = 0 ] || e2e_fail "a box was shown: $boxes"
    ;;
  locked_bootstrap)
    [ "$E2E_STATUS" = 217 ] || e2e_fail "exit status $E2E_STATUS, expected 217"
    # The relay log escapes the quotes and backslashes of the text.
    expect_box 'EFOpenError: Unable to open file \"c:\\program files\\libreoffice\\PROGRAM\\bootstrap.ini\": '
    ;;
  dword_display_name)
    [ "$E2E_STATUS" = 217 ] || e2e_fail "exit status $E2E_STATUS, expected 217"
    expect_box 'ERegistryException: Invalid registry data type: \"DisplayName\"'
    ;;
  *) e2e_fail "unknown scenario $scenario" ;;
esac

# Nothing was removed: the record, the folder with its file, the shortcut; nothing recycled.
record_there || e2e_fail "the suite's record is gone"
[ -f "$folder/program/bootstrap.ini" ] || e2e_fail "the installation folder was touched"
[ -f "$shortcut" ] || e2e_fail "the shortcut was deleted"
[ -z "$(ls -A "$trash/files" 2>/dev/null)" ] || e2e_fail "something went to the Recycle Bin: $(ls "$trash/files")"
e2e_discard
printf 'PASS: %s (status %s)\n' "$scenario" "$E2E_STATUS"
