#!/usr/bin/env bash
# Redraws the event pins of the map page: builds the pin tool and replaces the icon table
# between "// pins:begin" and "// pins:end" in resources/map/map.html with its output.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${QUORVA_BUILD_DIR:-$(pwd)/build}
cmake --build "$build" --target quorva-map-pins
table=$(QT_QPA_PLATFORM=offscreen "$build/tools/quorva-map-pins")
page=resources/map/map.html
awk -v table="$table" '
  /\/\/ pins:begin/ { print; print table; skip = 1; next }
  /\/\/ pins:end/ { skip = 0 }
  !skip { print }
' "$page" > "$page.new"
mv "$page.new" "$page"
