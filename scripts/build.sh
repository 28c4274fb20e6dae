#!/usr/bin/env bash
# Sets up the machine and the Wine prefix, then configures and builds
# everything into build/ (build/program/ is a ready program folder); on a host
# that runs no 32-bit code, also the 64-bit build that runs there (build-x64/).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/setup.sh"
bash "$ROOT/scripts/wineprefix.sh"
source "$ROOT/scripts/env.sh"
source "$ROOT/scripts/build-tree.sh"

if [ "$QLM_ARCH" = i686 ]; then
  build_tree "$QLM_PRODUCT_BUILD" toolchain-i686-mingw.cmake ON
else
  echo "build: this host runs no 32-bit code; the tests run on the 64-bit build in $QLM_BUILD"
  build_tree "$QLM_PRODUCT_BUILD" toolchain-i686-mingw.cmake OFF
  build_tree "$QLM_BUILD" toolchain-x86_64-mingw.cmake ON
fi
