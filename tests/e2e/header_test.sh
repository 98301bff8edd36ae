#!/usr/bin/env bash
# The shipped program as a file, without Wine: a GUI executable of the build's
# architecture that needs only Windows' own DLLs, carries no debug information, and has
# its version resource and application manifest.
# Usage: header_test.sh ARCH PATH/TO/quorvalis[64].exe     ARCH: win32 or win64
set -euo pipefail
arch=$1
exe=$(readlink -f "$2")
fail() { printf 'FAIL: %s\n' "$*" >&2; exit 1; }

case $arch in
  win32) kind_wanted="PE32 executable (GUI) Intel 80386"; triplet=i686-w64-mingw32; name=quorvalis.exe ;;
  win64) kind_wanted="PE32+ executable (GUI) x86-64"; triplet=x86_64-w64-mingw32; name=quorvalis64.exe ;;
  *) fail "unknown architecture $arch" ;;
esac
[ "$(basename "$exe")" = "$name" ] || fail "the program is named $(basename "$exe"), expected $name"
kind=$(file -b "$exe")
[[ $kind == "$kind_wanted"* ]] || fail "file says: $kind"

dlls=$("$triplet-objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$dlls" ] || fail "no imported DLLs listed"
while read -r dll; do
  case ${dll,,} in
    kernel32.dll | user32.dll | advapi32.dll | shell32.dll | ole32.dll | msvcrt.dll) ;;
    *) fail "imports $dll, which Windows does not bring" ;;
  esac
done <<<"$dlls"

sections=$("$triplet-objdump" -h "$exe")
! grep -q '\.debug' <<<"$sections" || fail "debug sections shipped: $(grep -o '\.debug[a-z_]*' <<<"$sections" | tr '\n' ' ')"

resources=$("$triplet-windres" -i "$exe" -O rc) || fail "windres cannot read the resources"
expect_value() { # name value
  grep -qF "VALUE \"$1\", \"$2\"" <<<"$resources" || fail "version resource lacks $1 = $2"
}
version=$(sed -n 's/^project(quorvalis VERSION \([0-9.]*\).*/\1.0/p' "$(dirname "$0")/../../CMakeLists.txt")
expect_value OriginalFilename "$name"
expect_value ProductName Quorvalis
expect_value CompanyName Quorvalis
expect_value FileVersion "$version"
expect_value ProductVersion "$version"
grep -qE 'VALUE "FileDescription", "[^"]+' <<<"$resources" || fail "no file description"
# The manifest, as windres prints it: quoted lines with doubled quotes.
manifest=$(sed -n "/RT_MANIFEST/,/^END/p" <<<"$resources")
grep -qF 'requestedExecutionLevel level=""requireAdministrator""' <<<"$manifest" ||
  fail "the manifest requests no administrator level"
for os in 35138b9a-5d96-4fbd-8e2d-a2440225f93a 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
  grep -qF "$os" <<<"$manifest" || fail "the manifest does not name Windows version $os"
done
printf 'PASS: header of %s\n' "$name"
