#!/usr/bin/env bash
# Measures a scan that finds a million objects and the process's peak
# memory. The tree, 1,000,000 empty files in 50,000 folders with paths of
# about 60 characters (C:\qlm-bench\tree-1m\dir-07\folder-0042\
# temporary-file-00019.tmp), is made once on the host side inside the
# project's Wine prefix, where it takes a minute rather than the half hour
# of Wine's own file calls, and reused. The figures are printed last.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$ROOT/scripts/build.sh" >/dev/null
source "$ROOT/scripts/env.sh"
python3 - "$WINEPREFIX/drive_c/qlm-bench" <<'PY'
import os, sys
bench = sys.argv[1]
done = os.path.join(bench, "tree-1m.done")
if not os.path.exists(done):
    print("building the tree once (1,000,000 files)...", flush=True)
    for top in range(50):
        for sub in range(1000):
            folder = os.path.join(bench, "tree-1m", "dir-%02d" % top, "folder-%04d" % sub)
            os.makedirs(folder, exist_ok=True)
            for file in range(20):
                open(os.path.join(folder, "temporary-file-%05d.tmp" % file), "wb").close()
    open(done, "wb").close()
PY
exec bash "$ROOT/bench/run.sh" scan1m "$@"
