# Cross-compiles the 32-bit Windows program with mingw-w64 (posix threads model).
set(QUORVALIS_TRIPLET i686-w64-mingw32)
set(QUORVALIS_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
