# Sourced by every script that runs the program or the tests under Wine.
# Everything Wine touches lives under the project's own folders: the prefix,
# HOME (where Wine's Recycle Bin lands, in HOME's trash) and XDG_DATA_HOME.
QLM_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
QLM_BUILD="${QLM_BUILD:-$QLM_ROOT/build}"
QLM_LOCAL="$QLM_ROOT/.local"
export WINEPREFIX="$QLM_LOCAL/wineprefix"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export HOME="$QLM_LOCAL/home"
export XDG_DATA_HOME="$HOME/.local/share"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_CACHE_HOME="$HOME/.cache"
unset XDG_RUNTIME_DIR
mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
