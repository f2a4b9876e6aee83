#!/usr/bin/env bash
# scripts/windows-zip.sh BUILD_FOLDER ZIP
# Packs the Windows build for its users: veq-editor.exe and veq.exe (static,
# nothing to install beside them), the licence and a read-me, in one folder
# named after the zip, so that unpacking it makes that folder.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:?usage: scripts/windows-zip.sh BUILD_FOLDER ZIP}
zip=${2:?usage: scripts/windows-zip.sh BUILD_FOLDER ZIP}
name=$(basename "$zip" .zip)
mkdir -p "$(dirname "$zip")"
zip=$(cd "$(dirname "$zip")" && pwd)/$name.zip

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/$name"
# Symbols would only make the download larger.
for exe in app/veq-editor.exe cli/veq.exe; do
  x86_64-w64-mingw32-strip -o "$stage/$name/$(basename "$exe")" "$build/$exe"
done
# Notepad and every other Windows editor read CRLF line ends.
sed 's/$/\r/' LICENSE >"$stage/$name/LICENSE.txt"
sed 's/$/\r/' data/README-Windows.txt >"$stage/$name/README.txt"

rm -f "$zip"
(cd "$stage" && cmake -E tar cf "$zip" --format=zip "$name")
echo "$zip"
