# Sourced by the scripts that build: configures (when needed) and builds one
# tree.

# The value of a cache entry of a configured tree; empty when there is none.
cached() {  # folder, entry
  sed -n "s/^$2:[A-Z]*=//p" "$1/CMakeCache.txt" 2>/dev/null
}

build_tree() {  # folder, toolchain, with tests (ON/OFF)
  # A tree configured with other options (tests on or off, another
  # toolchain) is configured again, so that no stale choice survives.
  if [ ! -f "$1/build.ninja" ] ||
     [ "$(cached "$1" QLM_TESTS)" != "$3" ] ||
     [ "$(cached "$1" CMAKE_TOOLCHAIN_FILE)" != "$QLM_ROOT/cmake/$2" ]; then
    cmake -S "$QLM_ROOT" -B "$1" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$QLM_ROOT/cmake/$2" \
      -DQLM_TESTS="$3" >/dev/null
  fi
  cmake --build "$1"
}
