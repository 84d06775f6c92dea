#!/usr/bin/env bash
# Pictures of the viewer as a user sees it, taken on a virtual X display (xvfb-run) with a
# demo card: scripts/screenshot.sh [OUTPUT_DIR]   (default: build/screenshots)
#   main.png                  after start-up, a group selected, 1920 x 1080 screen
#   source-dialog.png         the source dialog over the main window
#   maximised-2560x1440.png   maximised on a 2560 x 1440 screen
#   fullscreen.png            the main movie view full-screen
#   playing.png               an impact recording playing past its event: both cameras, the
#                             graph with curves, marker and cursor, the info panel filled
#   event.png                 the same recording paused on its event (the event jump)
#   menu.png                  the movie context menu over the playing recording
#   join-dialog.png           the file selection dialog of the joined movie (two recordings
#                             ticked, one marked by an earlier join)
#   delete-dialog.png         the file selection dialog of the delete
#   join-progress.png         the progress bar while a join runs
#   list-menu.png             the recording list's menu (GPS track export)
#   map.png                   maximised, the map switched on, an impact recording played past
#                             its event: both cameras and the map beside the main window, with
#                             the list's and the recording's tracks, the position and the event
#                             pins (tiles from a grid tile server on the loopback address)
#   map-offline.png           the same with no tile server: the logo panel's off-line notice
# Each picture is taken by a fresh viewer in an empty working directory (first-run settings).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${QUORVA_BUILD_DIR:-$root/build}
out=$(realpath -m "${1:-$build/screenshots}")

cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target quorva-screenshots quorva-cli
tool="$build/tools/quorva-screenshots"

mkdir -p "$out"
work=$(mktemp -d)
chmod 700 "$work"
tiles_pid=
trap '[ -n "$tiles_pid" ] && kill "$tiles_pid"; rm -rf "$work"' EXIT
"$build/src/cli/quorva-cli" make-demo-card "$work/demo-card" --seconds 10 >/dev/null

shoot() {  # shot, screen size, file name, further options
  local dir="$work/run-$1"
  mkdir -p "$dir"
  (cd "$dir" && XDG_RUNTIME_DIR="$work" QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu \
     xvfb-run -a -s "-screen 0 ${2}x24" \
     "$tool" --shot "$1" --out "$out/$3" "${@:4}" "$work/demo-card" 2>/dev/null)
}
shoot main 1920x1080 main.png
shoot source-dialog 1920x1080 source-dialog.png
shoot maximised 2560x1440 maximised-2560x1440.png
shoot fullscreen 1920x1080 fullscreen.png
shoot playing 1920x1080 playing.png
shoot event 1920x1080 event.png
shoot menu 1920x1080 menu.png
shoot join-dialog 1920x1080 join-dialog.png
shoot delete-dialog 1920x1080 delete-dialog.png
shoot join-progress 1920x1080 join-progress.png
shoot list-menu 1920x1080 list-menu.png

# The map: tiles from a grid tile server on the loopback address; then with nothing there.
coproc TILES { exec python3 "$root/scripts/grid_tile_server.py"; }
tiles_pid=$TILES_PID
read -r port <&"${TILES[0]}"
shoot map 1920x1080 map.png --tile-url "http://127.0.0.1:$port/{z}/{x}/{y}.png"
kill "$tiles_pid"
wait "$tiles_pid" 2>/dev/null || true
tiles_pid=
shoot map-offline 1920x1080 map-offline.png --tile-url "http://127.0.0.1:$port/{z}/{x}/{y}.png"
