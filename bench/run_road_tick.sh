#!/usr/bin/env bash
# The recording road at work: the viewer plays a card through (every recording of its first
# group, then the following groups) on a virtual X display, and prints the figures of
# QUORVA_TICK_STATS: the cost of the 30 ms playback tick (mean, p99), how far the panels
# are from the picture, the process's CPU use, the time from choosing a recording to its
# first picture, and what one redraw of the graph and of the info panel costs.
# Usage: bench/run_road_tick.sh [BUILD_DIR]
#   QUORVA_BENCH_DIR  where the cards are written once (default /tmp/quorva-bench)
#   SIZE, SUB_SIZE    the cameras' picture sizes (default 1920x1080 and 1280x720)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -m "${1:-build}")
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" --target quorva-screenshots quorva-cli -j2
size=${SIZE:-1920x1080}
sub=${SUB_SIZE:-1280x720}
dir=${QUORVA_BENCH_DIR:-/tmp/quorva-bench}
mkdir -p "$dir"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

card() {  # folder, make-demo-card options...
  local card="$dir/$1"
  shift
  if [ ! -d "$card" ]; then
    rm -rf "$card.part"
    "$build/src/cli/quorva-cli" make-demo-card "$card.part" "$@" > /dev/null
    mv "$card.part" "$card"
  fi
  echo "$card"
}

play_through() {  # card
  (cd "$work" && rm -f Default_Folder.ini && QUORVA_TICK_STATS=1 \
     xvfb-run -a -s "-screen 0 1920x1080x24" \
     "$build/tools/quorva-screenshots" --shot play-through --out "$work/end.png" "$1" \
     2>&1 >/dev/null | grep -E '^(tick|panels|cpu|open|redraw)')
}

echo "== two cameras, main $size and sub $sub, two groups of three 10 s recordings"
play_through "$(card "road-$size-$sub" --runs 2 --per-run 3 --seconds 10 --no-extras \
                  --size "$size" --sub-size "$sub")"
echo "== the demo card (640x360 and 320x180), 5 s recordings"
play_through "$(card road-demo --seconds 5)"
