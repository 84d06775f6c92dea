#!/usr/bin/env bash
# Installs what is needed, builds everything, runs every test and builds and checks the
# Debian package. The exit code is the result of all of it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh

build=${QUORVA_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build"

# No display is needed: GUI tests draw off-screen.
export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

status=0
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" || status=$?

# The Debian package: built, listed and checked (desktop entry, metadata, both programs).
scripts/package.sh || status=$?

# Fuzz targets: built with clang's sanitizers and run for a few seconds each.
if [ -x scripts/fuzz.sh ] && [ "${QUORVA_SKIP_FUZZ:-0}" != 1 ]; then
  scripts/fuzz.sh --seconds "${QUORVA_FUZZ_SECONDS:-10}" || status=$?
fi
exit $status
