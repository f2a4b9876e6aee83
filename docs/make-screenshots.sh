#!/usr/bin/env bash
# Refreshes the user guide's pictures (docs/screenshots/*.png): builds the
# program, writes the sample data into a staged data folder and drives the
# real windows over it on a virtual X display. `make screenshots` installs what it needs
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
tools=$(cd "$build/tools" && pwd)

# The pictures show a user's desktop, the same on every machine: the samples
# are staged in the data folder of a Wine prefix under a temporary home, with
# the folders a Wine prefix and a home have, and the tour runs from there, so
# the folder trees show none of this machine's folders.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
home=$stage/modder
wine=$home/.wine
data=$wine/drive_c/Sierra/Redbaron3d/data/simpatch
mkdir -p "$data" "$wine/dosdevices" \
  "$wine/drive_c/"{"Program Files","Program Files (x86)",ProgramData,users,windows} \
  "$home/"{Desktop,Documents,Downloads,Music,Pictures,Public,Templates,Videos}
"$tools/veq-make-samples" "$data"

# The tour writes into a fresh folder; the old pictures are replaced only when
# every window was there, so the guide never mixes two versions of the program.
# One look on every machine: the Fusion style at 96 dpi, no desktop theme, C
# collation (dot-folders first); caches go outside the staged home.
shots=$stage/shots
(cd "$data" && env -u QT_QPA_PLATFORMTHEME -u XDG_CURRENT_DESKTOP \
  HOME="$home" WINEPREFIX="$wine" XDG_CACHE_HOME="$stage/cache" XDG_CONFIG_HOME="$stage/config" LC_ALL=C.UTF-8 \
  QT_QPA_PLATFORM=xcb QT_STYLE_OVERRIDE=Fusion QT_SCALE_FACTOR=1 QT_ENABLE_HIGHDPI_SCALING=0 \
  xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
  "$tools/veq-screenshot-tour" "$data" "$shots")

mkdir -p docs/screenshots
# The Windows program's pictures (make windows-screenshots) stay.
find docs/screenshots -name '*.png' ! -name 'windows-*' -delete
cp "$shots"/*.png docs/screenshots/
echo "Pictures refreshed in docs/screenshots:"
ls -l docs/screenshots
