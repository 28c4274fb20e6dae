# The parts of a MinGW-w64 posix-threads cross-build that do not depend on the
# target processor; the toolchain file sets QLM_TRIPLET and includes this.
set(CMAKE_SYSTEM_NAME Windows)

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
