#!/usr/bin/env bash
# Sets up, builds and starts Quillmere Pro under Wine. On the current X
# display when there is one; otherwise on a virtual display, where it saves a
# screenshot of the started window to the file given as $1 (default:
# build/screenshot.png) and then closes the program.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/build.sh"
source "$ROOT/scripts/env.sh"
PROGRAM="$QLM_BUILD/program/quillmere.exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  cd "$QLM_BUILD/program"
  exec wine "$PROGRAM"
fi

SHOT="$(realpath -m "${1:-$QLM_BUILD/screenshot.png}")"
source "$ROOT/scripts/xvfb.sh"
trap qlm_end_session EXIT
qlm_start_xvfb

(cd "$QLM_BUILD/program" && wine "$PROGRAM" >/dev/null 2>&1 </dev/null) &
window=""
for _ in $(seq 1 300); do
  window="$(xdotool search --onlyvisible --name '^Quillmere Pro$' 2>/dev/null | head -1 || true)"
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "run: the main window did not appear" >&2
  exit 1
fi
sleep 1  # let the window finish painting
import -display "$DISPLAY" -window root "$SHOT"
echo "screenshot: $SHOT"
# Closes the program the way a user would: WM_CLOSE to its window.
wine taskkill /im quillmere.exe >/dev/null 2>&1 || true
for _ in $(seq 1 100); do
  pgrep -f 'quillmere.exe' >/dev/null || break
  sleep 0.1
done
