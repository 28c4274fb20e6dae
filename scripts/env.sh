# Sourced by every script that runs the program or the tests under Wine.
# Everything Wine touches lives under the project's own folders: the prefix,
# HOME (where Wine's Recycle Bin lands, in HOME's trash) and XDG_DATA_HOME.
# QLM_WINEPREFIX names another prefix for a check that needs a fresh one.
QLM_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QLM_LOCAL="$QLM_ROOT/.local"

# The program is 32-bit Windows code and always built as such into build/.
# A kernel whose IA-32 emulation is switched off runs no 32-bit code at all,
# so no 32-bit Wine: there the same sources are also built as 64-bit Windows
# code into build-x64/, and that build is what runs, under 64-bit Wine in a
# prefix of its own. QLM_ARCH says which: i686 or x86_64.
if [ -z "${QLM_ARCH:-}" ]; then
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    QLM_ARCH=i686
  else
    QLM_ARCH=x86_64
  fi
fi
export QLM_ARCH
QLM_PRODUCT_BUILD="$QLM_ROOT/build"
if [ "$QLM_ARCH" = i686 ]; then
  QLM_BUILD="${QLM_BUILD:-$QLM_PRODUCT_BUILD}"
  export WINEPREFIX="${QLM_WINEPREFIX:-$QLM_LOCAL/wineprefix}"
  export WINEARCH=win32
else
  QLM_BUILD="${QLM_BUILD:-$QLM_ROOT/build-x64}"
  export WINEPREFIX="${QLM_WINEPREFIX:-$QLM_LOCAL/wineprefix64}"
  export WINEARCH=win64
  # Every "wine" of the scripts (and of wineboot) is the 64-bit loader.
  export WINELOADER=/usr/lib/wine/wine64
  # This Wine has no preloader to reserve Windows' fixed addresses before the
  # loader's heap grows: with the heap's start randomised, a process now and
  # then finds its shared user data page taken ("failed to map the shared
  # user data: c0000018") and ends with code 1 before main. Without address
  # randomisation, which every process Wine starts inherits, the heap starts
  # where it leaves that page free.
  loader='exec /usr/lib/wine/wine64 "$@"'
  if command -v setarch >/dev/null 2>&1; then
    loader="exec setarch $(uname -m) -R /usr/lib/wine/wine64 \"\$@\""
  fi
  mkdir -p "$QLM_LOCAL/bin"
  for name in wine wine-stable; do
    wrapper="$(printf '#!/bin/sh\n%s' "$loader")"
    if [ "$(cat "$QLM_LOCAL/bin/$name" 2>/dev/null)" != "$wrapper" ]; then
      printf '%s\n' "$wrapper" >"$QLM_LOCAL/bin/$name"
      chmod +x "$QLM_LOCAL/bin/$name"
    fi
  done
  case ":$PATH:" in
    *":$QLM_LOCAL/bin:"*) ;;
    *) export PATH="$QLM_LOCAL/bin:$PATH" ;;
  esac
fi
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export HOME="$QLM_LOCAL/home"
export XDG_DATA_HOME="$HOME/.local/share"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_CACHE_HOME="$HOME/.cache"
unset XDG_RUNTIME_DIR
mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
