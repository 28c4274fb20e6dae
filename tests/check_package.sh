#!/usr/bin/env bash
# Makes the packages of one kind from a build's program folder and checks
# them with the release's own checks:
#
#   check_package.sh contents KIND VERSION PROGRAM_FOLDER WORK_FOLDER
#       the installer holds exactly the program folder (7z)
#   check_package.sh install KIND VERSION PROGRAM_FOLDER WORK_FOLDER
#       silent install, start, silent uninstall; the portable zip starts
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
[ $# -eq 5 ] || { sed -n '2,8p' "${BASH_SOURCE[0]}" >&2; exit 2; }
mode="$1" kind="$2" version="$3" program="$4" work="$5"
rm -rf "$work"
bash "$ROOT/scripts/make-package.sh" "$kind" "$version" "$program" "$work" >/dev/null
name="$work/QuillmerePro-$version-$kind"
case "$mode" in
  contents)
    bash "$ROOT/scripts/check-package.sh" contents "$name-setup.exe" "$program" ;;
  install)
    bash "$ROOT/scripts/check-package.sh" install "$name-setup.exe" "$version" "$work/installed.png"
    bash "$ROOT/scripts/check-package.sh" portable "$name-portable.zip" "$work/portable.png" ;;
  *)
    sed -n '2,8p' "${BASH_SOURCE[0]}" >&2; exit 2 ;;
esac
