# Prefix helpers for end-to-end scenarios under Wine (cmake/wine-env.sh sets Wine up).
# Source this file with QUORVALIS_WINE_ARCH set (win32 or win64), then:
#   e2e_prefix_make BUILD_DIR NAME   a fresh prefix at BUILD_DIR/e2e/NAME (copied from the
#                                    build tree's base prefix, made first if missing)
#   e2e_wine ARGS...                 wine in that prefix (WINEDEBUG from E2E_WINEDEBUG, default -all)
#   e2e_reg ARGS...                  reg.exe in that prefix, quietly
#   e2e_run LOG TIMEOUT EXE ARGS...  runs the program, its Wine output into LOG; sets E2E_STATUS
#   e2e_stop                         ends this prefix's wineserver (also done on exit)
#   e2e_discard                      ends it and removes the prefix, keeping logs and states

. "$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)/cmake/wine-env.sh"
wine_select "${QUORVALIS_WINE_ARCH:?set QUORVALIS_WINE_ARCH to win32 or win64}" || exit 1

E2E_PREFIX=
E2E_HOME=

_e2e_env() { # prefix home command...
  QUORVALIS_WINEDEBUG=${E2E_WINEDEBUG:--all} wine_env "$@"
}

e2e_prefix_make() { # build_dir name
  local dir=$1/e2e/$2
  if [ -d "$dir/prefix" ]; then
    wine_server "$dir/prefix" "$dir/home" -k 2>/dev/null || true
    rm -rf "$dir"
  fi
  wine_copy_prefix "$1/wine/$WINE_ARCH" "$dir" || e2e_fail "no Wine prefix could be made"
  E2E_PREFIX=$dir/prefix
  E2E_HOME=$dir/home
  trap e2e_stop EXIT
}

# From C:\, as the Linux working directory has no drive letter without Z:.
e2e_wine() { (cd "$E2E_PREFIX/drive_c" && _e2e_env "$E2E_PREFIX" "$E2E_HOME" "$WINE_LOADER" "$@"); }

e2e_reg() { E2E_WINEDEBUG=-all e2e_wine reg "$@" >/dev/null; }

e2e_run() { # log timeout exe args...
  local run_log=$1 run_limit=$2
  shift 2
  E2E_STATUS=0
  (cd "$E2E_PREFIX/drive_c" &&
    _e2e_env "$E2E_PREFIX" "$E2E_HOME" timeout "$run_limit" "$WINE_LOADER" "$@") >"$run_log" 2>&1 ||
    E2E_STATUS=$?
}

e2e_stop() {
  [ -n "$E2E_PREFIX" ] || return 0
  wine_server "$E2E_PREFIX" "$E2E_HOME" -k 2>/dev/null || true
}

# A passed scenario's prefix (half a gigabyte or more) is of no more use; a failed one's
# stays for a look.
e2e_discard() {
  e2e_stop
  [ -z "$E2E_PREFIX" ] || rm -rf "$E2E_PREFIX" "$E2E_HOME"
}

# Reports a failed check and ends the scenario.
e2e_fail() {
  printf 'FAIL: %s\n' "$*" >&2
  exit 1
}
