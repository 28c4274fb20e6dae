#!/usr/bin/env bash
# Runs a Windows program of the build under Wine in the project's own prefix.
# CMake uses it as the emulator of every test.
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
exec wine "$@"
