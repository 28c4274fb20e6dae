#!/usr/bin/env bash
# Builds the portable code natively with clang and the address and
# undefined-behaviour sanitizers into build-native/, and runs its unit tests.
# Extra arguments go to ctest (e.g. -R Masks).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/native-build.sh"
ctest --test-dir "$QLM_NATIVE_BUILD" --output-on-failure --no-tests=error -j2 "$@"
