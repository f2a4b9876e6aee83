#!/usr/bin/env bash
# Refreshes the user guide's pictures (docs/screenshots/*.png): builds the
# program, writes the sample data into ./samples and drives the real windows
# over it on a virtual X display. `make screenshots` installs what it needs
# first; BUILD names the build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD:-build}
jobs=$(nproc 2>/dev/null || echo 2)
for tool in cmake xvfb-run; do
  command -v "$tool" >/dev/null || { echo "$0: $tool is missing; run scripts/install-deps.sh" >&2; exit 1; }
done

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$jobs" --target veq-make-samples veq-screenshot-tour
"$build/tools/veq-make-samples" samples

# The tour writes into a fresh folder; the old pictures are replaced only when
# every window was there, so the guide never mixes two versions of the program.
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
# One look on every machine: the Fusion style at 96 dpi, no desktop theme.
env -u QT_QPA_PLATFORMTHEME -u XDG_CURRENT_DESKTOP \
  QT_QPA_PLATFORM=xcb QT_STYLE_OVERRIDE=Fusion QT_SCALE_FACTOR=1 QT_ENABLE_HIGHDPI_SCALING=0 \
  xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
  "$build/tools/veq-screenshot-tour" samples "$shots"

mkdir -p docs/screenshots
rm -f docs/screenshots/*.png
cp "$shots"/*.png docs/screenshots/
echo "Pictures refreshed in docs/screenshots:"
ls -l docs/screenshots
