#!/usr/bin/env bash
# Runs a Windows program of the build under Wine in the project's own prefix.
# CMake uses it as the emulator of every test. A failing exit code is named
# on stderr: a program that dies before it flushes its output leaves nothing
# else to go by.
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
wine "$@"
code=$?
[ "$code" -eq 0 ] || echo "wine-exec: $(basename "$1") ended with exit code $code" >&2
exit "$code"
