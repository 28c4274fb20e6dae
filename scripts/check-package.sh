#!/usr/bin/env bash
# Checks the packages of scripts/make-package.sh as a user meets them, under
# the project's Wine on the current (or a virtual) display:
#
#   bash scripts/check-package.sh contents INSTALLER PROGRAM_FOLDER
#       the installer holds exactly the program folder's files, byte for
#       byte (listed and unpacked by 7z; for an installer that cannot run
#       here, the 32-bit one)
#   bash scripts/check-package.sh install INSTALLER VERSION SHOT.png
#       silent install per user: files, Start-menu shortcut, the Apps &
#       Features entry; the installed program starts to its main window
#       (screenshot); silent uninstall removes program, shortcut and entry
#       and keeps the user's settings and traces
#   bash scripts/check-package.sh portable ZIP SHOT.png [--fresh-prefix]
#       the zip unpacked on a drive of its own (as a USB stick) starts the
#       program to its main window (screenshot) and the program keeps its
#       settings beside itself; with --fresh-prefix in a Wine prefix made
#       for the check
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$ROOT/scripts/package-files.sh"
MODE="${1:-}"
[ $# -ge 3 ] || { sed -n '2,19p' "${BASH_SOURCE[0]}" >&2; exit 2; }
shift

fail() {
  echo "check-package: $*" >&2
  exit 1
}

# The files below a folder, relative and sorted.
files_of() {
  (cd "$1" && find . -type f | sed 's#^\./##' | sort)
}

check_contents() {  # installer, program folder
  local installer="$1" program="$2" unpacked
  unpacked="$(mktemp -d)"
  trap 'rm -rf "$unpacked"' RETURN
  7z x -y -o"$unpacked" "$installer" >/dev/null || fail "7z cannot unpack $installer"
  rm -rf "$unpacked/\$PLUGINSDIR" "$unpacked/uninstall.exe"
  local expected
  expected="$(cd "$program" &&
    { printf '%s\n' "${PACKAGE_FILES[@]}"; find "${PACKAGE_FOLDERS[@]}" -type f; } | sort)"
  [ "$(files_of "$unpacked")" = "$expected" ] ||
    fail "the installer holds $(files_of "$unpacked" | tr '\n' ' '), not $(echo "$expected" | tr '\n' ' ')"
  local file
  for file in $expected; do
    cmp -s "$unpacked/$file" "$program/$file" || fail "$file differs from the program folder's"
  done
  echo "contents: $(basename "$installer") holds the program folder's $(echo "$expected" | wc -l) files"
}

source "$ROOT/scripts/env.sh"
source "$ROOT/scripts/xvfb.sh"
if [ "$MODE" != contents ] && ! { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }; then
  trap qlm_end_session EXIT
  qlm_start_xvfb
fi

# A Windows folder of the prefix as a host path.
host_path() {
  winepath -u "$1" 2>/dev/null
}

windows_variable() {
  wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'
}

# Starts a program of the prefix, waits for its main window, saves the
# screen and closes the program as a user would (WM_CLOSE).
start_and_photograph() {  # windows path of quillmere.exe, screenshot
  local window="" program
  wine "$1" >/dev/null 2>&1 </dev/null &
  program=$!
  for _ in $(seq 1 300); do
    window="$(xdotool search --onlyvisible --name '^Quillmere Pro$' 2>/dev/null | head -1 || true)"
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || fail "the main window of $1 did not appear"
  sleep 1  # the window finishes painting
  import -display "$DISPLAY" -window root "$2"
  wine taskkill /im quillmere.exe >/dev/null 2>&1 || true
  for _ in $(seq 1 150); do
    kill -0 "$program" 2>/dev/null || return 0
    sleep 0.1
  done
  fail "$1 did not close"
}

UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\QuillmerePro'

check_install() {  # installer, version, screenshot
  local installer="$1" version="$2" shot="$3"
  local local_data folder shortcut entry
  local_data="$(windows_variable LOCALAPPDATA)"
  folder="$(host_path "$local_data\\Programs\\Quillmere Pro")"
  shortcut="$(host_path "$(windows_variable APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Quillmere Pro.lnk")"
  [ -n "$folder" ] && [ -n "$shortcut" ] || fail "the prefix's user folders cannot be read"
  rm -rf "$folder" "$shortcut"
  wine reg delete "$UNINSTALL_KEY" /f >/dev/null 2>&1 || true

  # The prefix reaches only its own drives: the installer runs from C:.
  mkdir -p "$WINEPREFIX/drive_c/qlm-package"
  cp "$installer" "$WINEPREFIX/drive_c/qlm-package/setup.exe"
  wine 'C:\qlm-package\setup.exe' /S || fail "the silent install ended with an error"
  rm -rf "$WINEPREFIX/drive_c/qlm-package"
  for file in "${PACKAGE_FILES[@]}" uninstall.exe languages/english.lng \
      defines/applications.script; do
    [ -f "$folder/$file" ] || fail "the installation lacks $file"
  done
  [ -f "$shortcut" ] || fail "no Start-menu shortcut"
  entry="$(wine reg query "$UNINSTALL_KEY" 2>/dev/null | tr -d '\r')"
  for value in "DisplayVersion.*$version" "Publisher.*Quillmere" "DisplayName.*Quillmere Pro" \
      "UninstallString.*uninstall.exe" "QuietUninstallString.*/S" "EstimatedSize.*0x" \
      "InstallLocation.*Quillmere Pro" "DisplayIcon.*quillmere.exe"; do
    grep -q "$value" <<<"$entry" || fail "the Apps & Features entry lacks $value: $entry"
  done
  echo "install: files, shortcut and entry in place"

  start_and_photograph "$local_data\\Programs\\Quillmere Pro\\quillmere.exe" "$shot"
  [ -f "$folder/quillmere.xml" ] || fail "the installed program wrote no settings beside itself"
  echo "install: the installed program started and closed ($shot)"

  wine "$folder/uninstall.exe" /S || fail "the silent uninstall ended with an error"
  # The uninstaller copies itself away and goes on in the background.
  for _ in $(seq 1 100); do
    [ -f "$folder/uninstall.exe" ] || break
    sleep 0.1
  done
  for file in "${PACKAGE_FILES[@]}" "${PACKAGE_FOLDERS[@]}" uninstall.exe; do
    [ ! -e "$folder/$file" ] || fail "the uninstall left $file"
  done
  [ ! -e "$shortcut" ] || fail "the uninstall left the shortcut"
  ! wine reg query "$UNINSTALL_KEY" >/dev/null 2>&1 || fail "the uninstall left the entry"
  [ -f "$folder/quillmere.xml" ] && [ -d "$folder/traces" ] ||
    fail "the silent uninstall removed the user's settings or traces"
  rm -rf "$folder"
  echo "install: the uninstall removed the program and kept the user's files"
}

check_portable() {  # zip, screenshot, [--fresh-prefix]
  local zip shot="$2" stick
  zip="$(realpath "$1")"
  if [ "${3:-}" = --fresh-prefix ]; then
    export QLM_WINEPREFIX="$QLM_LOCAL/wineprefix-portable-check"
    source "$ROOT/scripts/env.sh"
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    bash "$ROOT/scripts/wineprefix.sh"
    echo "portable: in a fresh prefix, $WINEPREFIX"
  fi
  stick="$QLM_LOCAL/portable-stick"
  rm -rf "$stick"
  mkdir -p "$stick"
  (cd "$stick" && unzip -q "$zip")
  ln -sfn "$stick" "$WINEPREFIX/dosdevices/u:"
  trap 'rm -f "$WINEPREFIX/dosdevices/u:"' RETURN
  start_and_photograph 'U:\Quillmere Pro\quillmere.exe' "$shot"
  [ -f "$stick/Quillmere Pro/quillmere.xml" ] && [ -d "$stick/Quillmere Pro/traces" ] ||
    fail "the portable program kept no settings or traces beside itself"
  echo "portable: started from drive U: and closed ($shot)"
  rm -rf "$stick"
  if [ "${3:-}" = --fresh-prefix ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    rm -rf "$WINEPREFIX"
  fi
}

case "$MODE" in
  contents) check_contents "$@" ;;
  install) check_install "$@" ;;
  portable) check_portable "$@" ;;
  *) sed -n '2,19p' "${BASH_SOURCE[0]}" >&2; exit 2 ;;
esac
