# Cross-build for 32-bit Windows with MinGW-w64's i686 posix-threads compilers:
# the program as it ships.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QLM_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
