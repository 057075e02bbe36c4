#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) in build-fuzz
# and runs each of them, one after the other, for a fixed number of runs.
#
#   scripts/fuzz.sh [RUNS] [TARGET...]
#
# RUNS defaults to 1000000; TARGET is any of line_reading, whole_file, import_folder,
# foreign_soluc (all of them by default). A crash, a leak, a hang (one input running longer than
# FUZZ_TIMEOUT seconds, default 10) or a target that does not reach RUNS within FUZZ_MAX_TIME
# seconds (default 7200) fails the script. Whatever input made a target fail is copied to
# tests/fuzz-regressions/<target>/, where the ordinary test suite replays it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."

RUNS=${1:-1000000}
[ $# -gt 0 ] && shift
TARGETS=("$@")
[ ${#TARGETS[@]} -gt 0 ] || TARGETS=(line_reading whole_file import_folder foreign_soluc)
BUILD=${FUZZ_BUILD_DIR:-build-fuzz}
TIMEOUT=${FUZZ_TIMEOUT:-10}
MAX_TIME=${FUZZ_MAX_TIME:-7200}

CC=clang CXX=clang++ cmake -S . -B "$BUILD" -DTTS_FUZZ=ON -DTTS_WINDOW=OFF -DTTS_HELP=OFF -DBUILD_TESTING=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target fuzzers
fuzz/make-seeds.sh

# The harnesses write their SICE and work folders here: memory, not disk, and gone afterwards
# even when a target crashes.
scratch=$(mktemp -d /dev/shm/tts-fuzz.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$scratch"' EXIT

export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export TTS_SCRATCH=$scratch

status=0
summary=()
for target in "${TARGETS[@]}"; do
  binary=$BUILD/fuzz/fuzz_$target
  corpus=$BUILD/corpus/$target
  artifacts=$BUILD/artifacts/$target
  log=$BUILD/fuzz-$target.log
  mkdir -p "$corpus" "$artifacts"
  rm -f "$artifacts"/*
  echo "== fuzz_$target: $RUNS runs (log: $log)"
  set +e
  "$binary" -runs="$RUNS" -max_total_time="$MAX_TIME" -timeout="$TIMEOUT" -detect_leaks=1 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" \
    "$corpus" "fuzz/seeds/$target" >"$log" 2>&1
  rc=$?
  set -e
  done_line=$(grep -E '^Done [0-9]+ runs in [0-9]+ second' "$log" | tail -n 1 || true)
  runs=$(sed -E 's/^Done ([0-9]+) runs.*/\1/' <<<"$done_line")
  secs=$(sed -E 's/.* in ([0-9]+) second.*/\1/' <<<"$done_line")
  if [ $rc -ne 0 ] || [ -z "$done_line" ]; then
    found=("$artifacts"/*)
    if [ -e "${found[0]}" ]; then
      mkdir -p "tests/fuzz-regressions/$target"
      cp "${found[@]}" "tests/fuzz-regressions/$target/"
    fi
    summary+=("fuzz_$target: FAILED (exit $rc), inputs kept in tests/fuzz-regressions/$target/")
    tail -n 40 "$log"
    status=1
  elif [ "$runs" -lt "$RUNS" ]; then
    summary+=("fuzz_$target: INCOMPLETE, $runs of $RUNS runs in ${secs}s (FUZZ_MAX_TIME reached)")
    status=1
  else
    corpus_size=$(find "$corpus" -type f | wc -l)
    summary+=("fuzz_$target: clean, $runs runs in ${secs}s, corpus $corpus_size inputs")
  fi
done

echo
printf '%s\n' "${summary[@]}"
exit $status
