#!/usr/bin/env bash
# scripts/test-windows.sh BUILD_FOLDER [QT_PREFIX]
# Cross-builds VEQ Editor for 64-bit Windows (scripts/windows-build.sh), then
# runs its tests under Wine. With QT_PREFIX that is the whole program: the
# windows' tests offscreen and veq-editor.exe on a virtual X server; without
# it the part that needs no Qt (the core, its tests and the sample generator).
# The Wine prefix (scripts/wine-prefix.sh) lives in the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:?usage: scripts/test-windows.sh BUILD_FOLDER [QT_PREFIX]}
qt=${2:-}
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}

mkdir -p "$build"
WINEPREFIX="$(cd "$build" && pwd)/wine-prefix"
export WINEPREFIX
export WINEDEBUG=-all
# Wine first: the build names it as the tests' emulator.
scripts/wine-prefix.sh "$WINEPREFIX"
JOBS=$jobs scripts/windows-build.sh "$build" "$qt"

# The tests open no window but on the X server the smoke test starts itself.
unset DISPLAY WAYLAND_DISPLAY
# Stop this prefix's Wine server however the run ends, keeping its status.
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
trap 'exit 1' INT TERM HUP

# One server for the whole run, up and warm before the tests start: test
# programs that start together on a cold server have hung here.
wineserver -p >/dev/null 2>&1 || true
wine cmd /c exit

ctest --test-dir "$build" --output-on-failure -j "$jobs"
