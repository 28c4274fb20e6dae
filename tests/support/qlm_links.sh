#!/usr/bin/env bash
# Prepares (make) or removes (remove) the folder links that the tests of
# links out of a tree use where the system makes no junctions: Wine makes
# none, but shows a host symbolic link inside its C: drive as a reparse
# point. Each test has a tree of its own, C:\qlm-links\<tree>\, holding an
# empty "outside" folder and relative links to it, so that the tests stay
# independent of each other when run side by side. No Windows call removes
# such a link, so the test run removes the trees here on the host.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/env.sh"
base="$WINEPREFIX/drive_c/qlm-links"

# tree and link path (below the tree) of every link; each points at the
# tree's own "outside" folder, one level up.
links=(
  'scan t/link'
  'clean Temp/link'
  'clean WIN/$NtUninstallKBJ$'
  'tempfolder tree/link'
  'misc-remove-tree temp/link'
)

rm -rf "$base"
[ "${1:-}" = remove ] && exit 0
for entry in "${links[@]}"; do
  tree="${entry%% *}"
  link="$base/$tree/${entry#* }"
  mkdir -p "$base/$tree/outside" "$(dirname "$link")"
  ln -s ../outside "$link"
done
