#!/usr/bin/env bash
# Sets up, builds and runs every test under Wine on a virtual display of its
# own, with one wineserver kept alive for the whole run and stopped at the end.
# Extra arguments go to ctest (e.g. -R Trace). A full run (no arguments) then
# runs the native sanitized tests and every fuzz target for QLM_FUZZ_SECONDS
# (20) each, three at a time; a crash fails the run with its input as hex.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/build.sh"
source "$ROOT/scripts/env.sh"
source "$ROOT/scripts/xvfb.sh"

trap qlm_end_session EXIT

qlm_start_xvfb
wineserver -p
# Wine's own background processes start with the first program that needs
# them and inherit its output pipes; start them here so that no test's pipes
# stay open after it. The services come with any program; the desktop process
# with the first window, held here by a hidden one for the whole run.
wine cmd /c exit >/dev/null 2>&1 </dev/null
wine "$QLM_BUILD/tests/qlm_desktop_keeper.exe" >/dev/null 2>&1 </dev/null &
for _ in $(seq 1 100); do
  pgrep -f 'explorer.exe /desktop' >/dev/null && break
  sleep 0.1
done
# The native build needs no Wine and waits for nothing: it runs beside the
# Windows tests, which spend much of their time waiting for windows.
if [ $# -eq 0 ]; then
  bash "$ROOT/scripts/native-build.sh" >"$QLM_BUILD/native-build.log" 2>&1 &
  native_build=$!
fi
# A tree without tests, or a filter that selects none, is a failure, not a
# green run.
ctest --test-dir "$QLM_BUILD" --output-on-failure --no-tests=error -j2 "$@"

if [ $# -eq 0 ]; then
  if ! wait "$native_build"; then
    cat "$QLM_BUILD/native-build.log"
    exit 1
  fi
  bash "$ROOT/scripts/native-test.sh"
  # Three at a time on two cores: each still runs its 20 s, in a third less
  # time on the clock.
  bash "$ROOT/scripts/fuzz.sh" -j 3 "${QLM_FUZZ_SECONDS:-20}"
fi
