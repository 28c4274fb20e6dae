#!/usr/bin/env bash
# Measures the engine's clean of 20,000 found files to the Recycle Bin
# against one shell operation that moves a twin tree's 20,000 files there,
# inside the project's Wine prefix (C:\qlm-bench). The figures are printed
# last.
exec bash "$(dirname "${BASH_SOURCE[0]}")/run.sh" recycle "$@"
