#!/usr/bin/env bash
# Creates (once) and checks the project's own Wine prefix: 32-bit (64-bit on
# a host that runs no 32-bit code), reporting Windows XP, with C: as its own
# drive and one more letter (P:) for the build folder. No letter may map the
# host's root: a scan of every fixed drive must never reach the host's files.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

# The ready mark is written only when every step succeeded; a prefix without
# it is made again from nothing on the next run.
make_prefix() {
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot --init >/dev/null 2>&1 || return 1
  wineserver -w
  local version=winxp
  [ "$WINEARCH" = win64 ] && version=winxp64
  wine reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null 2>&1 || return 1
  # Windows draw their own frames and captions, with or without a window
  # manager, so that screenshots show what a Windows user sees.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || return 1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || return 1
  wineserver -w
  [ -d "$WINEPREFIX/drive_c/windows" ] || return 1
}

if [ ! -f "$WINEPREFIX/.qlm-ready-2" ]; then
  if ! make_prefix; then
    echo "wineprefix: the Wine prefix $WINEPREFIX could not be made" >&2
    exit 1
  fi
  touch "$WINEPREFIX/.qlm-ready-2"
fi

# Wine's own fonts (Tahoma, and Marlett for the caption buttons) go into the
# prefix's Fonts folder, where Wine finds them whatever its data folder.
for font in /usr/share/wine/fonts/*.ttf; do
  [ -f "$WINEPREFIX/drive_c/windows/Fonts/$(basename "$font")" ] ||
    cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
done

# Drive letters are checked on every run: Wine may add letters again.
mkdir -p "$QLM_BUILD"
for link in "$WINEPREFIX"/dosdevices/*; do
  name="$(basename "$link")"
  case "$name" in
    c:|p:) ;;
    *) rm -f "$link" ;;
  esac
done
ln -sfn ../drive_c "$WINEPREFIX/dosdevices/c:"
ln -sfn "$QLM_BUILD" "$WINEPREFIX/dosdevices/p:"
for link in "$WINEPREFIX"/dosdevices/*; do
  if [ "$(readlink -f "$link")" = "/" ]; then
    echo "wineprefix: $link maps the host's root folder" >&2
    exit 1
  fi
done
