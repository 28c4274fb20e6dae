#!/usr/bin/env bash
# Builds and runs one benchmark program (bench/bench_<name>.cpp) under Wine
# inside the project's prefix: run.sh <name> [arguments].
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
NAME="$1"
shift
bash "$ROOT/scripts/build.sh" >/dev/null
source "$ROOT/scripts/env.sh"
source "$ROOT/scripts/xvfb.sh"
trap qlm_end_session EXIT
qlm_start_xvfb
bash "$ROOT/scripts/wine-exec.sh" "$QLM_BUILD/bench/qlm_bench_$NAME.exe" "$@"
