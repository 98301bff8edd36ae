# Prefix helpers for end-to-end scenarios under Wine. Source this file, then:
#   e2e_prefix_make BUILD_DIR NAME   a fresh prefix at BUILD_DIR/e2e/NAME (copied from the
#                                    build tree's base prefix, made first if missing)
#   e2e_wine ARGS...                 wine in that prefix (WINEDEBUG from E2E_WINEDEBUG, default -all)
#   e2e_reg ARGS...                  reg.exe in that prefix, quietly
#   e2e_run LOG TIMEOUT EXE ARGS...  runs the program, its Wine output into LOG; sets E2E_STATUS
#   e2e_stop                         ends this prefix's wineserver (also done on exit)
# Every Wine process gets a prefix and HOME inside the build tree, no display, no menu
# entries, and no Z: drive mapping the Linux root.

E2E_PREFIX=
E2E_HOME=

_e2e_env() { # prefix home command...
  env -u DISPLAY -u WAYLAND_DISPLAY \
    WINEPREFIX="$1" HOME="$2" XDG_DATA_HOME="$2/.local/share" \
    XDG_CONFIG_HOME="$2/.config" XDG_CACHE_HOME="$2/.cache" \
    WINEDLLOVERRIDES=winemenubuilder.exe=d \
    WINEDEBUG="${E2E_WINEDEBUG:--all}" "${@:3}"
}

# The base prefix wine-run also copies from: made once per build tree, under its lock.
_e2e_base_prefix() { # build_dir
  local root=$1/wine
  mkdir -p "$root"
  (
    flock 9
    if [ ! -d "$root/base/prefix" ]; then
      mkdir -p "$root/base/home/.local/share"
      E2E_WINEDEBUG=-all _e2e_env "$root/base/prefix" "$root/base/home" wineboot -i >/dev/null 2>&1
      _e2e_env "$root/base/prefix" "$root/base/home" wineserver -w
      rm -f "$root/base/prefix/dosdevices/z:"
    fi
  ) 9>"$root/.lock"
  printf '%s\n' "$root/base/prefix"
}

e2e_prefix_make() { # build_dir name
  local base dir=$1/e2e/$2
  base=$(_e2e_base_prefix "$1")
  if [ -d "$dir/prefix" ]; then
    _e2e_env "$dir/prefix" "$dir/home" wineserver -k 2>/dev/null || true
    rm -rf "$dir"
  fi
  mkdir -p "$dir/home/.local/share"
  cp -a "$base" "$dir/prefix"
  rm -f "$dir/prefix/dosdevices/z:"
  E2E_PREFIX=$dir/prefix
  E2E_HOME=$dir/home
  trap e2e_stop EXIT
}

# From C:\, as the Linux working directory has no drive letter without Z:.
e2e_wine() { (cd "$E2E_PREFIX/drive_c" && _e2e_env "$E2E_PREFIX" "$E2E_HOME" wine "$@"); }

e2e_reg() { E2E_WINEDEBUG=-all e2e_wine reg "$@" >/dev/null; }

e2e_run() { # log timeout exe args...
  local run_log=$1 run_limit=$2
  shift 2
  E2E_STATUS=0
  (cd "$E2E_PREFIX/drive_c" &&
    _e2e_env "$E2E_PREFIX" "$E2E_HOME" timeout "$run_limit" wine "$@") >"$run_log" 2>&1 ||
    E2E_STATUS=$?
}

e2e_stop() {
  [ -n "$E2E_PREFIX" ] || return 0
  _e2e_env "$E2E_PREFIX" "$E2E_HOME" wineserver -k 2>/dev/null || true
}

# Reports a failed check and ends the scenario.
e2e_fail() {
  printf 'FAIL: %s\n' "$*" >&2
  exit 1
}
