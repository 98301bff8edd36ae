# Scenario helpers over tests/e2e/lib/wine_prefix.sh: a prefix with the fixture suite
# installed, snapshots of its state, and the check of what a run changed.
# Source it with E2E_BUILD (the build tree) and E2E_FIXTURES (build-fixtures.sh's OUT) set.

_scenario_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$_scenario_dir/../lib/wine_prefix.sh"
. "$_scenario_dir/products.sh"

readonly UNINSTALL='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'
readonly DESKTOP='C:\users\Public\Desktop'
readonly PROGRAMS='C:\ProgramData\Microsoft\Windows\Start Menu\Programs'
SCENARIO_DIR=

# A fresh prefix of the scenario's own, its server kept up until the scenario ends, the
# packages and programs in C:\tests.
scenario_begin() { # name
  # wineserver keeps its socket and lock in $TMPDIR/wine-*: inside the build tree too.
  export TMPDIR=$E2E_BUILD/e2e/tmp
  mkdir -p "$TMPDIR"
  e2e_prefix_make "$E2E_BUILD" "scenario-$1"
  SCENARIO_DIR=$(dirname "$E2E_PREFIX")
  wine_server "$E2E_PREFIX" "$E2E_HOME" -p
  mkdir -p "$E2E_PREFIX/drive_c/tests"
  cp "$E2E_FIXTURES"/tests/* "$E2E_PREFIX/drive_c/tests/"
}

# The Unix path of a path on drive C:.
unix_path() { # windows_path
  local rest=${1#[Cc]:\\}
  printf '%s/drive_c/%s\n' "$E2E_PREFIX" "${rest//\\//}"
}

msi_install() { # package.msi [PROPERTY=VALUE...]
  local package=$1
  shift
  e2e_wine msiexec /i "C:\\tests\\$package" /qn "$@" ||
    e2e_fail "msiexec /i $package exited with $?"
}

# The add-on: its uninstaller in a folder of its own and a record naming it, quoted, in
# the registry view ADDON_VIEW names (reg's /reg:32 or /reg:64; the prefix's own if empty).
ADDON_VIEW=
addon_install() { # [display name]
  local dir
  dir=$(unix_path "$ADDON_DIR")
  mkdir -p "$dir"
  cp "$E2E_PREFIX/drive_c/tests/addon_uninstaller.exe" "$dir/unins000.exe"
  e2e_reg add "$UNINSTALL\\$ADDON_RECORD" /v DisplayName /d "${1:-$ADDON_NAME}" $ADDON_VIEW /f
  e2e_reg add "$UNINSTALL\\$ADDON_RECORD" /v UninstallString /d "\"$ADDON_DIR\\unins000.exe\"" \
    $ADDON_VIEW /f
}

# Files no package owns, as users' extensions and caches leave them; prints their paths.
leftovers_create() { # installation_folder start_menu_folder
  local path
  for path in "$1\\share\\uno_packages\\cache\\demo.oxt" \
    "$1\\program\\__pycache__\\uno.cpython-38.pyc" "$2\\$LO_KEY (Safe Mode).lnk"; do
    mkdir -p "$(dirname "$(unix_path "$path")")"
    printf 'left by a user: %s\r\n' "$path" >"$(unix_path "$path")"
    printf '%s\n' "$path"
  done
}

# Runs PROGRAM detached (any file name: CreateProcessA), e.g. soffice.bin.
process_start() { # windows_path_of_a_copy_of_the_sleeper
  cp "$E2E_PREFIX/drive_c/tests/sleeper.exe" "$(unix_path "$1")"
  e2e_wine 'C:\tests\start_detached.exe' "$1" </dev/null >/dev/null 2>&1 ||
    e2e_fail "could not start $1"
}

# The state a run may change: registry (HKLM\Software and HKCU\Software, which hold
# HKCR too), drive C: outside Windows, processes and the Recycle Bin.
snapshot() { # folder
  local out=$1 key n=0
  mkdir -p "$out"
  for key in 'HKLM\Software' 'HKCU\Software'; do
    n=$((n + 1))
    e2e_wine reg export "$key" "C:\\snapshot-$n.reg" /y >/dev/null ||
      e2e_fail "reg export $key failed"
    mv "$E2E_PREFIX/drive_c/snapshot-$n.reg" "$out/export-$n.reg"
  done
  python3 "$_scenario_dir/state.py" registry "$out/registry.txt" "$out"/export-*.reg
  python3 "$_scenario_dir/state.py" files "$out/files.txt" "$E2E_PREFIX/drive_c"
  e2e_wine 'C:\tests\process_list.exe' >"$out/processes.txt" || e2e_fail "process list failed"
  python3 "$_scenario_dir/state.py" trash "$out/trash.txt" "$E2E_HOME/.local/share/Trash" \
    "$E2E_PREFIX/drive_c"
}

# Runs quorvalis.exe through exit_status.exe, which keeps all bits of its status, with
# the process channel on, which logs each command line started (E2E_WINEDEBUG adds
# channels). Sets E2E_STATUS to the program's status.
program_run() { # args...
  local channels=-all,+process${E2E_WINEDEBUG:+,${E2E_WINEDEBUG#-all,}}
  rm -f "$E2E_PREFIX/drive_c/tests/status.txt"
  E2E_WINEDEBUG=$channels e2e_run "$SCENARIO_DIR/run.log" 120 'C:\tests\exit_status.exe' \
    'C:\tests\status.txt' 'C:\tests\quorvalis.exe' "$@"
  [ "$E2E_STATUS" != 124 ] || e2e_fail "still running after 120 s"
  [ "$E2E_STATUS" = 0 ] || e2e_fail "exit_status.exe failed with $E2E_STATUS"
  E2E_STATUS=$(tr -d '\r\n' <"$E2E_PREFIX/drive_c/tests/status.txt")
  rm -f "$E2E_PREFIX/drive_c/tests/status.txt"
}

# The command lines the program started, unescaped from the log, one a line (without
# exit_status.exe's start of the program itself).
started_commands() {
  sed -n 's/.*CreateProcessInternalW app .* cmdline L"\(.*\)"$/\1/p' "$SCENARIO_DIR/run.log" |
    sed -e 's/\\\\/\x01/g' -e 's/\\"/"/g' -e 's/\x01/\\/g' |
    grep -vF 'C:\tests\quorvalis.exe' || true
}

expect_status() { # expected
  [ "$E2E_STATUS" = "$1" ] || e2e_fail "exit status $E2E_STATUS, expected $1 (log: $SCENARIO_DIR/run.log)"
}

expect_commands() { # expected lines...
  local want got
  want=$(printf '%s\n' "$@")
  got=$(started_commands)
  [ "$got" = "$want" ] ||
    e2e_fail "programs started:"$'\n'"$got"$'\n'"expected:"$'\n'"$want"
}

# Compares the snapshots with the expectation (state.py compare lists the items).
expect_changes() { # before after expect_file
  python3 "$_scenario_dir/state.py" compare "$1" "$2" "$3" ||
    e2e_fail "the run changed other things than expected (states in $SCENARIO_DIR)"
}

expect_file_text() { # windows_path text
  local got
  got=$(cat "$(unix_path "$1")" 2>/dev/null) || e2e_fail "$1 missing"
  [ "$got" = "$2" ] || e2e_fail "$1 holds [$got], expected [$2]"
}
