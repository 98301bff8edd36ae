#!/usr/bin/env bash
# The real program under Wine (QUORVALIS_WINE_ARCH), one scenario per run.
# Usage: program_test.sh SCENARIO PATH/TO/quorvalis[64].exe BUILD_DIR
#   no_suite        a fresh machine without any suite: nothing to do, status 0
#   registry_error  the identifier is registered but the application identifier's
#                   default value is a number: the error box, then status 217
set -euo pipefail
scenario=$1
exe=$(readlink -f "$2")
build=$(readlink -f "$3")
. "$(dirname "$0")/lib/wine_prefix.sh"

readonly appid='HKCR\AppID\{82154420-0FBF-11d4-8313-005004526AB4}'
readonly progid='HKCR\com.sun.star.ServiceManager.1\CLSID'
# Long enough for a first start in a new prefix; a box waiting for a click would not end.
readonly limit=60

case $scenario in
  no_suite)
    e2e_prefix_make "$build" program-no-suite
    e2e_run "$build/e2e/program-no-suite/run.log" "$limit" "$exe"
    [ "$E2E_STATUS" = 0 ] || e2e_fail "exit status $E2E_STATUS, expected 0"
    ;;

  registry_error)
    e2e_prefix_make "$build" program-registry-error
    log=$build/e2e/program-registry-error/run.log
    e2e_reg add "$progid" /ve /t REG_SZ /d "{00000000-0000-0000-0000-000000000001}" /f
    e2e_reg add "$appid" /ve /t REG_DWORD /d 1 /f
    e2e_reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ \
      /d "user32.MessageBoxA;user32.MessageBoxW" /f
    E2E_WINEDEBUG=-all,+relay e2e_run "$log" "$limit" "$exe"
    [ "$E2E_STATUS" != 124 ] || e2e_fail "still running after ${limit}s: the box waited"
    [ "$E2E_STATUS" = 217 ] || e2e_fail "exit status $E2E_STATUS, expected 217"
    # The relay log quotes the text with C escapes: a line break is \n, a quote \".
    text='An unhandled exception occurred at \$[0-9A-F]{8}:\\nERegistryException: Invalid registry data type: \\"\\"'
    call="Call user32\.MessageBox[AW]\([0-9a-f]+,[0-9a-f]+ L?\"$text\",[0-9a-f]+ L?\"Error\",00000010\)"
    calls=$(grep -cE "$call" "$log" || true)
    if [ "$calls" != 1 ]; then
      grep -F MessageBox "$log" >&2 || true
      e2e_fail "expected one error box with caption \"Error\", saw $calls (log: $log)"
    fi
    ;;

  *)
    e2e_fail "unknown scenario $scenario"
    ;;
esac
e2e_discard
printf 'PASS: %s\n' "$scenario"
