#!/usr/bin/env bash
# Builds the Debian package of the viewer with CPack and checks it:
#   scripts/package.sh [OUTPUT_DIR]      (default: build/package)
# The package quorva_<version>_<arch>.deb holds /usr/bin/quorva, /usr/bin/quorva-cli, the
# desktop entry, the icon and the AppStream metadata; its run-time dependencies come from
# dpkg-shlibdeps. The script lists the package's contents, validates the desktop entry
# (desktop-file-validate) and the metadata (appstreamcli validate --no-net), and runs both
# programs from the unpacked package; the exit code says whether every check passed.
# Install it with: sudo apt install ./quorva_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/setup.sh

build=${QUORVA_BUILD_DIR:-$root/build}
out=$(realpath -m "${1:-$build/package}")
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target quorva quorva-cli

rm -f "$build"/package/quorva_*.deb
(cd "$build" && cpack -G DEB --config CPackConfig.cmake >/dev/null)
deb=$(ls "$build"/package/quorva_*.deb)
mkdir -p "$out"
if [ "$(dirname "$deb")" != "$out" ]; then
  rm -f "$out"/quorva_*.deb
  cp "$deb" "$out/"
  deb="$out/$(basename "$deb")"
fi

app_id=org.quorva.Quorva
version=$(dpkg-deb -f "$deb" Version)
arch=$(dpkg --print-architecture)
echo "package: $deb"
dpkg-deb -f "$deb" Package Version Architecture Depends Recommends Section
echo "contents:"
dpkg-deb -c "$deb" | awk '{print "  " $6 ($7 ? " " $7 " " $8 : "")}'

failures=0
fail() {
  echo "package check failed: $*" >&2
  failures=$((failures + 1))
}

[ "$(basename "$deb")" = "quorva_${version}_${arch}.deb" ] || fail "file name $(basename "$deb")"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libavcodec59 libc6; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
expected=(
  usr/bin/quorva
  usr/bin/quorva-cli
  "usr/share/applications/$app_id.desktop"
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
  "usr/share/metainfo/$app_id.metainfo.xml"
)
for path in "${expected[@]}"; do
  [ -e "$unpacked/$path" ] || fail "missing /$path"
done
for program in quorva quorva-cli; do
  [ -x "$unpacked/usr/bin/$program" ] || fail "/usr/bin/$program is not executable"
done

desktop="$unpacked/usr/share/applications/$app_id.desktop"
if [ -f "$desktop" ]; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
  exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
  [ -x "$unpacked/usr/bin/$exec_program" ] || fail "Exec names $exec_program, not a packaged program"
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  [ -f "$unpacked/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no icon named $icon"
fi
metainfo="$unpacked/usr/share/metainfo/$app_id.metainfo.xml"
if [ -f "$metainfo" ]; then
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
  grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata's release is not $version"
fi

# Both programs say their version without a display.
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$unpacked/usr/bin/quorva" --version)" = "quorva $version" ] ||
  fail "quorva --version"
[ "$("$unpacked/usr/bin/quorva-cli" --version)" = "quorva-cli $version" ] || fail "quorva-cli --version"

if [ "$failures" -ne 0 ]; then
  echo "package: $failures check(s) failed" >&2
  exit 1
fi
echo "package: all checks passed"
