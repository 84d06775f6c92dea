#!/usr/bin/env bash
# Installs every Debian package the viewer needs to build, run and test.
# Idempotent and non-interactive; works as root or, through sudo, as a user.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git clang-format
  clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-multimedia-dev
  qt6-webengine-dev qt6-webengine-dev-tools libqt6opengl6-dev qt6-qpa-plugins
  libqt6sql6-sqlite
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libswresample-dev
  ffmpeg valgrind
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xauth x11-utils
  fonts-noto-cjk qt6-translations-l10n
  dpkg-dev file desktop-file-utils appstream
  libgl1-mesa-dri libegl-mesa0 libglx-mesa0 mesa-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
else
  SUDO=(sudo)
fi

export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
