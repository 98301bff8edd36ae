# Cross-compiles the 64-bit Windows program with mingw-w64 (posix threads model).
set(QUORVALIS_TRIPLET x86_64-w64-mingw32)
set(QUORVALIS_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
