#!/usr/bin/env bash
# Measures the report of a large scan in the main window: fills of 100,000
# and 1,000,000 synthetic records, then expanding, scrolling, sorting and
# unticking at a million, and the memory per object row. The figures are
# printed last.
exec bash "$(dirname "${BASH_SOURCE[0]}")/run.sh" report "$@"
