# Wine's environment for every Windows program the project runs: the tests' wrapper
# (cmake/wine-run), the end-to-end helpers (tests/e2e/lib/wine_prefix.sh) and the demo
# source this file. Every Wine process gets a prefix and HOME inside the build tree, no
# display, no menu entries, and no Z: drive mapping the Linux root.
#
#   wine_select ARCH           win32 or win64: the loader and server for that kind of prefix
#   wine_env PREFIX HOME CMD…  CMD in that prefix (WINEDEBUG from QUORVALIS_WINEDEBUG, -all)
#   wine_base_prefix ROOT      prints ROOT/base/prefix, made once under ROOT/.lock
#   wine_host_runs_32bit       true when this host executes 32-bit x86 programs
#
# QUORVALIS_NO_32BIT=1 makes the host count as one that cannot execute 32-bit programs
# (some kernels are built without that support): wine_host_runs_32bit answers false, and
# cmake/without-32bit runs a command where the 32-bit loader and server fail as there.

_wine_env_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
WINE_LIB=/usr/lib/wine
# Debian's `wine` script picks the 32-bit loader whenever it is installed, even where it
# cannot run: the loaders are named here, never found through that script.
WINE_LOADER=
WINE_ARCH=

# The probe runs a real 32-bit x86 program: Wine's own 32-bit server.
wine_host_runs_32bit() {
  [ "${QUORVALIS_NO_32BIT:-0}" = 1 ] && return 1
  "$WINE_LIB/wineserver32" --version >/dev/null 2>&1
}

wine_select() { # arch
  WINE_ARCH=$1
  case $1 in
    win32)
      if ! wine_host_runs_32bit; then
        echo "wine-env: this host does not execute 32-bit programs: no win32 prefix here" >&2
        return 1
      fi
      WINE_LOADER=$WINE_LIB/wine
      ;;
    win64)
      WINE_LOADER=$WINE_LIB/wine64
      ;;
    *)
      echo "wine-env: unknown architecture $1" >&2
      return 1
      ;;
  esac
}

wine_env() { # prefix home command...
  env -u DISPLAY -u WAYLAND_DISPLAY \
    WINEPREFIX="$1" WINEARCH="$WINE_ARCH" WINELOADER="$WINE_LOADER" \
    WINESERVER="$WINE_LIB/wineserver64" \
    HOME="$2" XDG_DATA_HOME="$2/.local/share" \
    XDG_CONFIG_HOME="$2/.config" XDG_CACHE_HOME="$2/.cache" \
    WINEDLLOVERRIDES=winemenubuilder.exe=d \
    WINEDEBUG="${QUORVALIS_WINEDEBUG:--all}" "${@:3}"
}

# Wine itself, in a prefix: `wine_run PREFIX HOME PROGRAM ARGS…`.
wine_run() { wine_env "$1" "$2" "$WINE_LOADER" "${@:3}"; }

# The prefix's own server, e.g. `wine_server PREFIX HOME -k`.
wine_server() { wine_env "$1" "$2" "$WINE_LIB/wineserver64" "${@:3}"; }

wine_make_prefix() { # prefix home
  mkdir -p "$2/.local/share"
  QUORVALIS_WINEDEBUG=-all wine_run "$1" "$2" wineboot -i >/dev/null 2>&1
  wine_server "$1" "$2" -w
  rm -f "$1/dosdevices/z:"
  [ -f "$1/system.reg" ] || { echo "wine-env: wineboot made no prefix at $1" >&2; return 1; }
}

wine_base_prefix() { # root
  local root=$1
  mkdir -p "$root"
  (
    flock 9
    [ -f "$root/base/prefix/system.reg" ] || {
      rm -rf "$root/base"
      wine_make_prefix "$root/base/prefix" "$root/base/home"
    }
  ) 9>"$root/.lock" || return 1
  printf '%s\n' "$root/base/prefix"
}

# A copy of the base prefix at DIR/prefix with its home at DIR/home.
wine_copy_prefix() { # root dir
  local base
  base=$(wine_base_prefix "$1") || return 1
  mkdir -p "$2/home/.local/share"
  cp -a "$base" "$2/prefix"
  rm -f "$2/prefix/dosdevices/z:"
}
