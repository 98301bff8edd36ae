# What both mingw-w64 toolchains share; QUORVALIS_TRIPLET and QUORVALIS_WINE_ARCH are set
# by the file that includes this one.
set(CMAKE_SYSTEM_NAME Windows)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${QUORVALIS_TRIPLET})
set(CMAKE_C_COMPILER ${QUORVALIS_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORVALIS_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUORVALIS_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QUORVALIS_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Test programs run under Wine in a prefix of the build's architecture. The wrapper
# gives each program its own prefix inside the build tree and a test-owned HOME.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run ${QUORVALIS_WINE_ARCH})
