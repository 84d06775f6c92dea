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
#   main-en.png, main-ja.png  the main window in English (en_US) and in Japanese (ja_JP)
#   source-change-dialog.png  the source dialog over the view, reset after a recording played
#   source-change.png         a second card chosen as a folder: its first group and recording
#   fullscreen-menu.png       the context menu in full-screen, with the item that leaves it
#   folder-chooser.png, folder-chooser-ja.png
#                             Qt's folder chooser in the dark look, in English and Japanese
#   snapshot-message.png      the message naming the snapshot's folder and files
#   slider-tip.png            the position slider's time tip and a button's tooltip
#   preview.png               the thumbnail toggle on and the mouse on a row: the hover preview
#                             of that recording beside the list
#   settings.png              the settings dialog over the main window (second item unticked)
#   update.png                the update notice: the demo card (with the marker file of the
#                             firmware check) against an update server on the loopback address
#                             that offers newer firmware, viewer and GPS data
# Each picture is taken by a fresh viewer in an empty working directory (first-run settings),
# in English unless the name says otherwise.
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
updates_pid=
trap '[ -n "$tiles_pid" ] && kill "$tiles_pid"; [ -n "$updates_pid" ] && kill "$updates_pid";
      rm -rf "$work"' EXIT
"$build/src/cli/quorva-cli" make-demo-card "$work/demo-card" --seconds 10 >/dev/null
"$build/src/cli/quorva-cli" make-demo-card "$work/second-card" --seconds 6 --layout 1 \
  --runs 2 >/dev/null

shoot() {  # shot, screen size, file name, further options of the tool
  local shot=$1 size=$2 file=$3
  shift 3
  local dir="$work/run-${file%.png}"
  mkdir -p "$dir"
  (cd "$dir" && XDG_RUNTIME_DIR="$work" QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu \
     LANG=${QUORVA_SHOT_LANG:-en_US.UTF-8} LC_ALL= LC_MESSAGES= \
     xvfb-run -a -s "-screen 0 ${size}x24" \
     "$tool" --shot "$shot" --out "$out/$file" "$@" "$work/demo-card" 2>/dev/null)
}
shoot main 1920x1080 main.png
shoot source-dialog 1920x1080 source-dialog.png
shoot maximised 2560x1440 maximised-2560x1440.png
shoot fullscreen 1920x1080 fullscreen.png
shoot playing 1920x1080 playing.png
shoot event 1920x1080 event.png
shoot menu 1920x1080 menu.png
shoot main 1920x1080 main-en.png
QUORVA_SHOT_LANG=ja_JP.UTF-8 shoot main 1920x1080 main-ja.png
shoot source-change 1920x1080 source-change.png --second "$work/second-card" \
  --out-dialog "$out/source-change-dialog.png"
shoot fullscreen-menu 1920x1080 fullscreen-menu.png
shoot folder-chooser 1920x1080 folder-chooser.png
QUORVA_SHOT_LANG=ja_JP.UTF-8 shoot folder-chooser 1920x1080 folder-chooser-ja.png
shoot snapshot-message 1920x1080 snapshot-message.png
shoot slider-tip 1920x1080 slider-tip.png
shoot preview 1920x1080 preview.png
shoot settings 1920x1080 settings.png

# The update notice: the card says which versions it has, the server offers newer ones.
printf '[InternetShortcut]\r\nURL=http://127.0.0.1/\r\n' >"$work/demo-card/Velmora_download.url"
coproc UPDATES { exec python3 "$root/scripts/update_server.py"; }
updates_pid=$UPDATES_PID
read -r update_port <&"${UPDATES[0]}"
shoot update 1920x1080 update.png --update-server "http://127.0.0.1:$update_port"
kill "$updates_pid"
wait "$updates_pid" 2>/dev/null || true
updates_pid=
rm -f "$work/demo-card/Velmora_download.url"
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
