#!/usr/bin/env bash
# Installs what is needed, builds the viewer and starts it: scripts/run.sh [SOURCE]
#
# SOURCE is a recorder card's mount point, a folder or one recording. Without one the viewer
# opens the first removable drive, else the source stored by its source dialog; when there
# is neither, a demo card is written once (with quorva-cli make-demo-card) and opened, so
# that a newcomer sees the viewer work.
#
# The viewer keeps its settings (Default_Folder.ini) in its working directory, so it is
# started in a stable one, ${XDG_CACHE_HOME:-~/.cache}/quorva (or $QUORVA_HOME), where the
# demo card lives too: window size, volume and the chosen source persist between runs.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh

build=${QUORVA_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target quorva quorva-cli

viewer="$build/src/app/quorva"
cli="$build/src/cli/quorva-cli"
home=${QUORVA_HOME:-${XDG_CACHE_HOME:-$HOME/.cache}/quorva}
mkdir -p "$home"

# Paths given by the user are taken from where the user stands, not from the viewer's home.
args=()
for a in "$@"; do
  if [[ "$a" != -* && -e "$a" ]]; then
    args+=("$(realpath -- "$a")")
  else
    args+=("$a")
  fi
done

cd "$home"
if [ ${#args[@]} -eq 0 ] && ! "$viewer" --print-start-source >/dev/null 2>&1; then
  demo="$home/demo-card"
  if [ ! -d "$demo" ]; then
    echo "run.sh: no card and no stored source; writing a demo card to $demo"
    rm -rf "$demo.part"
    "$cli" make-demo-card "$demo.part" --seconds 20 >/dev/null
    mv "$demo.part" "$demo"
  fi
  args=("$demo")
fi
echo "run.sh: settings in $home/Default_Folder.ini"
exec "$viewer" "${args[@]}"
