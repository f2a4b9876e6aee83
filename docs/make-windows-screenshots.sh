#!/usr/bin/env bash
# docs/make-windows-screenshots.sh BUILD_FOLDER QT_PREFIX
# Refreshes the user guide's pictures of the Windows program
# (docs/screenshots/windows-*.png): the same tour as make-screenshots.sh, run
# by the Windows build under Wine on a virtual X display, in the Windows style
# and fonts, with the samples in the simulation's own data folder
# "C:\Sierra\Redbaron3d\data\simpatch" of a fresh Wine prefix.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:?usage: docs/make-windows-screenshots.sh BUILD_FOLDER QT_PREFIX}
qt=${2:?usage: docs/make-windows-screenshots.sh BUILD_FOLDER QT_PREFIX}
scripts/windows-build.sh "$build" "$qt" veq-make-samples veq-screenshot-tour
tools=$(cd "$build/tools" && pwd)

stage=$(mktemp -d)
export WINEPREFIX=$stage/wine WINEDEBUG=-all
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$stage"' EXIT
scripts/wine-prefix.sh "$WINEPREFIX"
data=$WINEPREFIX/drive_c/Sierra/Redbaron3d/data/simpatch
mkdir -p "$data"
wine "$tools/veq-make-samples.exe" 'C:\Sierra\Redbaron3d\data\simpatch' >/dev/null

# Started inside the data folder, which Wine names by its drive C: path.
(cd "$data" && env -u QT_QPA_PLATFORM -u QT_STYLE_OVERRIDE \
  xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
  wine "$tools/veq-screenshot-tour.exe" 'C:\Sierra\Redbaron3d\data\simpatch' "Z:${stage//\//\\}\\shots")

# The main window and one tool window, its folder tree showing the drives.
mkdir -p docs/screenshots
for shot in main-window missing-window; do
  cp "$stage/shots/$shot.png" "docs/screenshots/windows-$shot.png"
done
ls -l docs/screenshots/windows-*.png
