#!/usr/bin/env bash
# Refreshes the map library bundled with the viewer: resources/map/leaflet/ holds the dist
# files (script, style sheet, marker images) and the licence of the npm package `leaflet` at
# the version pinned below, unchanged. The build only reads the committed copy; run this
# script (needs npm) after changing the version and commit the result.
set -euo pipefail
cd "$(dirname "$0")/.."
version=1.9.4
# The integrity value of leaflet-1.9.4.tgz as the registry publishes it; the download must match.
integrity="sha512-nxS1ynzJOmOlHp+iL3FyWqK89GtNL8U8rvlMOsQdTTssxZwCXh8N2NB3GDQOL+YR3XnWyZAxwQixURb+FA74PA=="
dest=resources/map/leaflet

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent "leaflet@$version" >/dev/null)
got="sha512-$(openssl dgst -sha512 -binary "$work/leaflet-$version.tgz" | base64 -w0)"
if [ "$got" != "$integrity" ]; then
  echo "leaflet $version: integrity $got, expected $integrity" >&2
  exit 1
fi
tar -xzf "$work/leaflet-$version.tgz" -C "$work"
rm -rf "$dest"
mkdir -p "$dest/images"
cp "$work/package/dist/leaflet.js" "$work/package/dist/leaflet.css" "$work/package/LICENSE" "$dest/"
cp "$work/package/dist/images/"*.png "$dest/images/"
echo "$version" > "$dest/VERSION"
echo "leaflet $version copied to $dest"
