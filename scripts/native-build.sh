#!/usr/bin/env bash
# Configures (once) and builds the native sanitized tree build-native/: the
# portable code, its unit tests and the fuzz targets. Sourced by
# native-test.sh and fuzz.sh, which read QLM_NATIVE_BUILD.
set -euo pipefail
QLM_NATIVE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QLM_NATIVE_BUILD="$QLM_NATIVE_ROOT/build-native"
if [ ! -f "$QLM_NATIVE_BUILD/build.ninja" ]; then
  cmake -S "$QLM_NATIVE_ROOT/native" -B "$QLM_NATIVE_BUILD" -G Ninja \
    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
fi
nice cmake --build "$QLM_NATIVE_BUILD" -j2
