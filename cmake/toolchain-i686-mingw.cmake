# Cross-build for 32-bit Windows with MinGW-w64's i686 posix-threads compilers.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(QLM_TRIPLET i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${QLM_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QLM_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${QLM_TRIPLET}-windres)
set(CMAKE_AR           ${QLM_TRIPLET}-gcc-ar-posix)
set(CMAKE_RANLIB       ${QLM_TRIPLET}-gcc-ranlib-posix)

set(CMAKE_FIND_ROOT_PATH /usr/${QLM_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every test and every tool built here runs under Wine, through the project's
# own prefix and HOME.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec.sh)
