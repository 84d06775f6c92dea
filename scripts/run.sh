#!/usr/bin/env bash
# Installs what is needed, builds the viewer and starts it. Arguments go to the viewer.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh

build=${QUORVA_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build"

if [ -x "$build/src/app/quorva" ]; then
  exec "$build/src/app/quorva" "$@"
fi
exec "$build/src/cli/quorva-cli" "$@"
