#!/usr/bin/env bash
# Runs the fuzz targets of the native build.
#
#   scripts/fuzz.sh [-j N] [SECONDS] [TARGET...]   fuzz every (or each named)
#                                                  target SECONDS (default 60)
#   scripts/fuzz.sh --replay [TARGET...]           run the committed corpus and
#                                                  regression inputs once
#   scripts/fuzz.sh --merge [TARGET...]            add the work corpus's inputs
#                                                  that bring new coverage to
#                                                  the repository's corpus
#
# A target's work folder is build-native/fuzz-work/TARGET: corpus/ (seeded
# from fuzz/corpus/TARGET, keeps what the runs find) and crashes/ (each input
# that crashed, broke an invariant, ran out of time or of memory). Prints per
# target the executions per second, the coverage and the corpus size, and a
# crash's input as hex; exits non-zero when any target crashed. -j 2 runs
# two targets at a time.
set -euo pipefail
shopt -s nullglob
source "$(dirname "${BASH_SOURCE[0]}")/native-build.sh" >/dev/null
FUZZ_SRC="$QLM_NATIVE_ROOT/fuzz"
WORK="$QLM_NATIVE_BUILD/fuzz-work"
ALL_TARGETS=$(cd "$FUZZ_SRC" && ls fuzz_*.cpp | sed 's/^fuzz_//; s/\.cpp$//')

mode=fuzz
jobs=1
seconds=60
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    --replay) mode=replay ;;
    --merge) mode=merge ;;
    -j) jobs="$2"; shift ;;
    -j*) jobs="${1#-j}" ;;
    *[!0-9]*) targets+=("$1") ;;
    *) seconds="$1" ;;
  esac
  shift
done
[ ${#targets[@]} -eq 0 ] && read -r -a targets <<<"$(echo $ALL_TARGETS)"
for target in "${targets[@]}"; do
  if [ ! -x "$QLM_NATIVE_BUILD/fuzz/fuzz_$target" ]; then
    echo "fuzz: no target $target (targets: $(echo $ALL_TARGETS))" >&2
    exit 2
  fi
done

# Memory and time bounds of every run: an input that needs more is a finding.
LIMITS=(-rss_limit_mb=1024 -malloc_limit_mb=512 -timeout=10)

show_hex() {
  echo "  input ($(stat -c %s "$1") bytes) as hex:"
  od -An -v -tx1 "$1" | head -c 8192 | tr -d '\n' | tr -s ' ' | fold -w 96 | sed 's/^/    /'
  echo
}

# The committed inputs of a target, each run once in one process; these must
# never crash.
replay_target() {
  local target="$1" files=()
  local binary="$QLM_NATIVE_BUILD/fuzz/fuzz_$target"
  local log="$WORK/$target.replay.log"
  for folder in "$FUZZ_SRC/corpus/$target" "$FUZZ_SRC/regressions/$target"; do
    [ -d "$folder" ] && files+=("$folder"/*)
  done
  [ ${#files[@]} -eq 0 ] && return 0
  if ! "$binary" "${LIMITS[@]}" "${files[@]}" >"$log" 2>&1; then
    local file
    file=$(sed -n 's/^Running: //p' "$log" | tail -1)
    echo "$target: CRASH on ${file#$QLM_NATIVE_ROOT/}"
    grep -E 'ERROR|invariant|SUMMARY' "$log" | head -5 | sed 's/^/  /'
    [ -f "$file" ] && show_hex "$file"
    return 1
  fi
  echo "$target: ${#files[@]} committed inputs replayed"
}

fuzz_target() {
  local target="$1"
  local binary="$QLM_NATIVE_BUILD/fuzz/fuzz_$target"
  local dir="$WORK/$target"
  mkdir -p "$dir/corpus" "$dir/crashes"
  cp -n "$FUZZ_SRC/corpus/$target"/* "$dir/corpus/" 2>/dev/null || true
  local dict=()
  [ -f "$FUZZ_SRC/dict/$target.dict" ] && dict=(-dict="$FUZZ_SRC/dict/$target.dict")
  local status=0
  nice "$binary" "${LIMITS[@]}" "${dict[@]}" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$dir/crashes/" "$dir/corpus" >"$dir/log" 2>&1 || status=$?
  local last execs
  last=$(grep -E '^#[0-9]+' "$dir/log" | tail -1 || true)
  execs=$(grep -E '^stat::average_exec_per_sec' "$dir/log" | awk '{print $2}' || true)
  printf '%-15s %6s s  exec/s %-7s cov %-6s ft %-6s corpus %s\n' "$target" "$seconds" \
    "${execs:-?}" "$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")" \
    "$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")" \
    "$(sed -n 's/.* corp: \([^ ]*\).*/\1/p' <<<"$last")"
  if [ "$status" -ne 0 ]; then
    echo "$target: CRASH (exit $status); log: $dir/log"
    grep -E 'ERROR|invariant|SUMMARY|Test unit written' "$dir/log" | head -6 | sed 's/^/  /'
    local crash
    crash=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$dir/log" | tail -1)
    [ -n "$crash" ] && [ -f "$crash" ] && show_hex "$crash"
    return 1
  fi
}

merge_target() {
  local target="$1"
  local binary="$QLM_NATIVE_BUILD/fuzz/fuzz_$target"
  mkdir -p "$FUZZ_SRC/corpus/$target"
  "$binary" "${LIMITS[@]}" -merge=1 "$FUZZ_SRC/corpus/$target" "$WORK/$target/corpus" \
    >"$WORK/$target.merge.log" 2>&1
  echo "$target: $(ls "$FUZZ_SRC/corpus/$target" | wc -l) inputs in fuzz/corpus/$target"
}

mkdir -p "$WORK"
failed=0
case "$mode" in
  replay)
    for target in "${targets[@]}"; do replay_target "$target" || failed=1; done ;;
  merge)
    for target in "${targets[@]}"; do merge_target "$target" || failed=1; done ;;
  fuzz)
    for target in "${targets[@]}"; do replay_target "$target" >/dev/null || failed=1; done
    if [ "$failed" -ne 0 ]; then
      for target in "${targets[@]}"; do replay_target "$target" || true; done
      exit 1
    fi
    # Each target's report goes to a file of its own and is printed in the
    # targets' order once all have run.
    pids=()
    for target in "${targets[@]}"; do
      while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
      fuzz_target "$target" >"$WORK/$target.report" 2>&1 &
      pids+=($!)
    done
    for i in "${!pids[@]}"; do
      wait "${pids[$i]}" || failed=1
      cat "$WORK/${targets[$i]}.report"
    done ;;
esac
exit "$failed"
