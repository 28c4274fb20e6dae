#!/usr/bin/env bash
# Sets up the machine and the Wine prefix, then configures and builds
# everything into build/ (build/program/ is a ready program folder); on a host
# that runs no 32-bit code, also the 64-bit build that runs there (build-x64/).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/wineprefix.sh"
source "$ROOT/scripts/env.sh"

# The value of a cache entry of a configured tree; empty when there is none.
cached() {  # folder, entry
  sed -n "s/^$2:[A-Z]*=//p" "$1/CMakeCache.txt" 2>/dev/null
}

build_tree() {  # folder, toolchain, with tests (ON/OFF)
  # A tree configured with other options (tests on or off, another
  # toolchain) is configured again, so that no stale choice survives.
  if [ ! -f "$1/build.ninja" ] ||
     [ "$(cached "$1" QLM_TESTS)" != "$3" ] ||
     [ "$(cached "$1" CMAKE_TOOLCHAIN_FILE)" != "$ROOT/cmake/$2" ]; then
    cmake -S "$ROOT" -B "$1" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$2" \
      -DQLM_TESTS="$3" >/dev/null
  fi
  cmake --build "$1"
}

if [ "$QLM_ARCH" = i686 ]; then
  build_tree "$QLM_PRODUCT_BUILD" toolchain-i686-mingw.cmake ON
else
  echo "build: this host runs no 32-bit code; the tests run on the 64-bit build in $QLM_BUILD"
  build_tree "$QLM_PRODUCT_BUILD" toolchain-i686-mingw.cmake OFF
  build_tree "$QLM_BUILD" toolchain-x86_64-mingw.cmake ON
fi
