#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, ASan and UBSan in their own build folder, writes
# their seed files, and runs each target for a while (default 30 s). Findings go to
# build-fuzz/findings/<target>/; the exit code is non-zero when a target found one.
#   scripts/fuzz.sh [--seconds N] [--build DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=30
build="$root/build-fuzz"
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds="$2"; shift 2 ;;
    --build) build="$2"; shift 2 ;;
    *) echo "usage: scripts/fuzz.sh [--seconds N] [--build DIR]" >&2; exit 2 ;;
  esac
done

targets=(fuzz_box_reader fuzz_drive_data fuzz_settings)
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORVA_FUZZ=ON -DQUORVA_GUI=OFF -DQUORVA_TESTS=OFF -DQUORVA_BENCH=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}" fuzz_seeds -j "${QUORVA_JOBS:-2}"

seeds="$build/seeds"
rm -rf "$seeds"
"$build/tests/fuzz/fuzz_seeds" "$seeds"
corpus_mp4="${QUORVA_CORPUS_DIR:-$root/../shared/corpus}/mp4"
if [ -d "$corpus_mp4" ]; then
  cp "$corpus_mp4"/* "$seeds/fuzz_box_reader/" 2>/dev/null || true
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  findings="$build/findings/$t"
  mkdir -p "$corpus" "$findings"
  echo "fuzz: $t for ${seconds}s"
  if ! "$build/tests/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -max_len=262144 -print_final_stats=1 -artifact_prefix="$findings/" \
      "$corpus" "$seeds/$t" > "$build/$t.log" 2>&1; then
    echo "fuzz: $t FOUND A FAULT (see $build/$t.log, inputs in $findings)" >&2
    tail -40 "$build/$t.log" >&2
    status=1
  else
    grep -E 'stat::number_of_executed_units|stat::new_units_added' "$build/$t.log" | sed "s/^/fuzz: $t /"
  fi
done
exit $status
