# Which Wine layers this host can run, found once per configure: the 64-bit Wine runs on
# every x86-64 host, the 32-bit one only where the kernel executes 32-bit programs.
# QUORVALIS_NO_32BIT=1 in the environment makes any host count as one that cannot.
set(QUORVALIS_WINE_ENV_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/wine-env.sh)
set(QUORVALIS_WINE_TEST_ENVIRONMENT QUORVALIS_WINE_ARCH=${QUORVALIS_WINE_ARCH})
if("$ENV{QUORVALIS_NO_32BIT}" STREQUAL "1")
  list(APPEND QUORVALIS_WINE_TEST_ENVIRONMENT QUORVALIS_NO_32BIT=1)
  # Test discovery runs the programs at build time: the setting must reach it too.
  set(CMAKE_CROSSCOMPILING_EMULATOR env QUORVALIS_NO_32BIT=1 ${CMAKE_CROSSCOMPILING_EMULATOR})
endif()

if(QUORVALIS_WINE_ARCH STREQUAL "win32")
  execute_process(
    COMMAND bash -c ". \"$1\" && wine_host_runs_32bit" probe ${QUORVALIS_WINE_ENV_SCRIPT}
    RESULT_VARIABLE QUORVALIS_PROBE_STATUS OUTPUT_QUIET ERROR_QUIET)
  if(QUORVALIS_PROBE_STATUS EQUAL 0)
    set(QUORVALIS_WINE_RUNS ON)
  else()
    set(QUORVALIS_WINE_RUNS OFF)
    set(QUORVALIS_WINE_SKIP_REASON
      "this host does not execute 32-bit x86 programs, so the 32-bit Wine cannot start")
    if("$ENV{QUORVALIS_NO_32BIT}" STREQUAL "1")
      string(APPEND QUORVALIS_WINE_SKIP_REASON " (QUORVALIS_NO_32BIT=1)")
    endif()
    message(STATUS "win32 Wine tests left out: ${QUORVALIS_WINE_SKIP_REASON}")
  endif()
else()
  set(QUORVALIS_WINE_RUNS ON)
endif()
