# Cross-build for 64-bit Windows with MinGW-w64's x86_64 posix-threads
# compilers. Used only to run the tests on hosts whose kernel runs no 32-bit
# code, where the 32-bit Wine cannot start.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QLM_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
