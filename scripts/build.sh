#!/usr/bin/env bash
# Sets up the machine and the Wine prefix, then configures and builds
# everything into build/ (build/program/ is a ready program folder).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/wineprefix.sh"
source "$ROOT/scripts/env.sh"
if [ ! -f "$QLM_BUILD/build.ninja" ]; then
  cmake -S "$ROOT" -B "$QLM_BUILD" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-i686-mingw.cmake" >/dev/null
fi
cmake --build "$QLM_BUILD"
