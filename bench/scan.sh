#!/usr/bin/env bash
# Measures the engine's scan against a bare enumeration of the same tree:
# 100,000 files in 5,000 folders, made once inside the project's Wine prefix
# (C:\qlm-bench\tree) and reused. The figures are printed last.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/build.sh" >/dev/null
source "$ROOT/scripts/env.sh"
source "$ROOT/scripts/xvfb.sh"
trap qlm_end_session EXIT
qlm_start_xvfb
bash "$ROOT/scripts/wine-exec.sh" "$QLM_BUILD/bench/qlm_bench_scan.exe" "$@"
