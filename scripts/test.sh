#!/usr/bin/env bash
# Installs what is needed, builds everything, runs every test and builds and checks the
# Debian package. The exit code is the result of all of it.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh

build=${QUORVA_BUILD_DIR:-$root/build}
# The public test media corpus: ../shared/corpus beside the checkout unless QUORVA_CORPUS_DIR
# says otherwise (under CI its tests fail when it is missing).
corpus=${QUORVA_CORPUS_DIR:-$root/../shared/corpus}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORVA_CORPUS_DIR="$corpus"
cmake --build "$build"

# The ffmpeg-written movies the player suite compares with ffmpeg: made once, for both runs.
export QUORVA_PEER_MOVIES=${QUORVA_PEER_MOVIES:-$build/tests/movies/peer-movies}

# No display is needed: GUI tests draw off-screen.
export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

status=0
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" || status=$?

# The player and container suites again, built with AddressSanitizer and UBSan in a second
# build folder (only those suites and what they use are built there).
if [ "${QUORVA_SKIP_SANITIZE:-0}" != 1 ]; then
  asan=${QUORVA_ASAN_BUILD_DIR:-$root/build-asan}
  cmake -S "$root" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVA_SANITIZE=ON \
    -DQUORVA_BENCH=OFF -DQUORVA_CORPUS_DIR="$corpus"
  cmake --build "$asan" --target container_tests player_rules_tests player_engine_tests \
    peer_movie_tests make_peer_movies
  ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1} \
  UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1} \
    ctest --test-dir "$asan" --output-on-failure -j "$(nproc)" -L 'player|container' \
    || status=$?
fi

# The Debian package: built, listed and checked (desktop entry, metadata, both programs).
scripts/package.sh || status=$?

# Fuzz targets: built with clang's sanitizers and run for a few seconds each.
if [ -x scripts/fuzz.sh ] && [ "${QUORVA_SKIP_FUZZ:-0}" != 1 ]; then
  scripts/fuzz.sh --seconds "${QUORVA_FUZZ_SECONDS:-10}" || status=$?
fi
exit $status
