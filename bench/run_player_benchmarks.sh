#!/usr/bin/env bash
# Builds and runs the player benchmarks (decode throughput, exact seeks, two-camera
# playback). The movies are written once into $QUORVA_BENCH_DIR (default /tmp/quorva-bench).
# Usage: bench/run_player_benchmarks.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" --target bench_player_decode bench_player_seek bench_player_playback -j2
for b in bench_player_decode bench_player_seek bench_player_playback; do
  "$build/bench/$b" --benchmark_counters_tabular=true
done
