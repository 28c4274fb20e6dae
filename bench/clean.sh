#!/usr/bin/env bash
# Measures the engine's clean of 20,000 found files against a bare DeleteFile
# loop over a twin tree, inside the project's Wine prefix (C:\qlm-bench).
# The figures are printed last.
exec bash "$(dirname "${BASH_SOURCE[0]}")/run.sh" clean "$@"
