#!/usr/bin/env bash
# Saves a screenshot of every page of the main window, of the About window
# and of the update window with update.bin, in every language (or in the languages given by their index in the
# language list, 0 to 4), into build/screens/ as LANGUAGE-PAGE.png. Runs on a
# virtual display of its own, with the program in a copy of the program
# folder, so the build's own settings stay as they are.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/build.sh"
source "$ROOT/scripts/env.sh"
source "$ROOT/scripts/xvfb.sh"

SCREENS="$QLM_ROOT/build/screens"
# The program runs from a folder of the build that the prefix maps (P:).
PROGRAM="$QLM_BUILD/screens-program"
DRIVER="$QLM_BUILD/tools/qlm_screens.exe"
languages=("$@")
[ ${#languages[@]} -gt 0 ] || languages=(0 1 2 3 4)

# The update window works against an update site of its own on loopback,
# signed with the tests' throw-away key; the program and update.bin of the
# copy trust that key instead of the release key.
SITE="$QLM_BUILD/screens-site"
site_script() {
  python3 "$QLM_ROOT/tests/update/update_site.py" "$@" >/dev/null
}
end_screens() {
  site_script stop "$SITE" || true
  qlm_end_session
}

trap end_screens EXIT
unset DISPLAY
qlm_start_xvfb
mkdir -p "$SCREENS"
rm -rf "$PROGRAM"
cp -r "$QLM_BUILD/program" "$PROGRAM"
cp "$DRIVER" "$PROGRAM/"
rm -rf "$PROGRAM/quillmere.xml" "$PROGRAM/traces"
site_script start "$SITE" "$QLM_BUILD/tests/fixtures/versioned/quillmere.exe" \
  "$QLM_BUILD/program" "$QLM_BUILD/tests/update_key/private.pem" \
  "$QLM_ROOT/update/keys/update_public.der"
cp "$SITE/installed/quillmere.exe" "$SITE/installed/update.bin" "$PROGRAM/"
export QLM_UPDATE_SITE="http://127.0.0.1:$(cat "$SITE/port")/two"

shoot() {
  sleep 0.3  # the last repaints of the step reach the display
  import -display "$DISPLAY" -window root -trim +repage "$SCREENS/$1-$2.png"
}

# The scan's fixture: a tree in the prefix, made once; its junk files come
# back before each language.
TREE='C:\qlm-screens\tree\'
PROGRAM_PATH='P:\screens-program\'

start_program() {
  (cd "$PROGRAM" && wine quillmere.exe >/dev/null 2>&1 </dev/null) &
  program=$!
  name="$(wine "$DRIVER" language "$index" | tr -d '\r' | iconv -f CP1252 -t ASCII//TRANSLIT | tr ' ()' '_')"
  [ -n "$name" ] || { echo "screens: no language $index" >&2; exit 1; }
}

close_program() {
  wine "$DRIVER" close
  wait "$program"  # only the program: the display is a child of this shell too
}

for index in "${languages[@]}"; do
  wine "$DRIVER" tree "$TREE"
  wine "$DRIVER" settings "$PROGRAM_PATH" "$TREE"
  start_program
  for page in pDefault pRunning pSettings pScanOptions; do
    wine "$DRIVER" page "$page"
    shoot "$name" "$page"
  done
  wine "$DRIVER" scroll sbScanOptions; shoot "$name" pScanOptions-2
  wine "$DRIVER" scroll sbScanOptions; shoot "$name" pScanOptions-3
  wine "$DRIVER" show-extensions; shoot "$name" pScanOptions-extensions
  wine "$DRIVER" page pMainOptions; shoot "$name" pMainOptions
  wine "$DRIVER" scroll sbMainOptions; shoot "$name" pMainOptions-2
  wine "$DRIVER" bad-retention; shoot "$name" pMainOptions-error
  wine "$DRIVER" page pAppsOptions; shoot "$name" pAppsOptions
  wine "$DRIVER" page pDefault
  wine "$DRIVER" about; shoot "$name" About
  wine "$DRIVER" close-about
  # A scan photographed while it runs, stopped, its report, then finished;
  # a whole scan, a clean of all, and a scan that finds nothing.
  wine "$DRIVER" press bbScan; sleep 0.1; shoot "$name" pRunning-scan
  wine "$DRIVER" press bbStop; wine "$DRIVER" wait; shoot "$name" pRunning-stopped
  wine "$DRIVER" press bbNext; shoot "$name" pDefault-report
  wine "$DRIVER" press bbFinish; shoot "$name" pDefault-FreeSpace
  wine "$DRIVER" press bbScan; wine "$DRIVER" wait; shoot "$name" pRunning-done
  wine "$DRIVER" press bbNext; wine "$DRIVER" press bbClean; wine "$DRIVER" wait
  shoot "$name" pRunning-cleaned
  wine "$DRIVER" press bbNext; shoot "$name" pDefault-AllRem
  wine "$DRIVER" press bbScan; wine "$DRIVER" wait; wine "$DRIVER" press bbNext
  shoot "$name" pDefault-NoFound
  # Help, Updates: the list with the first line's notes, the installation
  # while it unpacks, the question before the restart and update.bin.
  wine "$DRIVER" updates; shoot "$name" Updates
  wine "$DRIVER" update-install; shoot "$name" Updates-installing
  wine "$DRIVER" update-question; shoot "$name" Updates-restart
  wine "$DRIVER" update-answer; shoot "$name" UpdateBin
  wine "$DRIVER" close-update-bin
  close_program
  # What the update put in place and left waiting goes, for the next language.
  cp "$QLM_BUILD/program/languages/english.lng" "$PROGRAM/languages/"
  rm -rf "$PROGRAM/updates"

  # A scan that fails: a category whose definition file is gone.
  wine "$DRIVER" settings "$PROGRAM_PATH" "$TREE" broken
  mv "$PROGRAM/defines/windows.def" "$PROGRAM/windows.def.away"
  start_program
  wine "$DRIVER" press bbScan; wine "$DRIVER" wait; shoot "$name" pRunning-error
  wine "$DRIVER" press bbNext; shoot "$name" pDefault-OperError
  close_program
  mv "$PROGRAM/windows.def.away" "$PROGRAM/defines/windows.def"

  # The report of several categories, some expanded, one partly unticked,
  # with hidden and long paths: the program's window, shown by the driver
  # from the program folder with sample records; then its last rows.
  (cd "$PROGRAM" && wine qlm_screens.exe report-sample "$index" >/dev/null 2>&1 </dev/null) &
  program=$!
  wine "$DRIVER" page pDefault
  xdotool mousemove 1020 760  # no hint under the mouse
  shoot "$name" pDefault-report-tree
  wine "$DRIVER" report-end; shoot "$name" pDefault-report-tree-end
  close_program
done
rm -rf "$PROGRAM"
echo "screens: $SCREENS"
