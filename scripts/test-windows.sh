#!/usr/bin/env bash
# scripts/test-windows.sh [BUILD_FOLDER]   (default build-windows)
# Cross-builds everything that needs no Qt (the core, its tests and the sample
# generator) for 64-bit Windows with MinGW-w64, then runs the tests under Wine.
# The Wine prefix lives in the build folder: ~/.wine is where the program
# looks for the simulation, so it is never touched.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-windows}
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}

scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine wine64 googletest

cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/x86_64-w64-mingw32.cmake \
  -DCMAKE_BUILD_TYPE=Release -DVEQ_BUILD_UI=OFF -DVEQ_WERROR=ON
cmake --build "$build" -j "$jobs"

WINEPREFIX="$(cd "$build" && pwd)/wine-prefix"
export WINEPREFIX
export WINEDEBUG=-all
# Nothing here opens a window; without a display Wine never tries to.
unset DISPLAY WAYLAND_DISPLAY

# Stop this prefix's Wine server however the run ends, keeping its status.
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
trap 'exit 1' INT TERM HUP

# The prefix is made once per build folder; the mark says it was made whole,
# so an interrupted first run starts it over instead of using half a prefix.
ready="$WINEPREFIX/.veq-prefix-ready"
if [ ! -f "$ready" ]; then
  echo "Creating the Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  log="$build/wineboot.log"
  # No Mono or Gecko: the tests need neither, and installing them would ask.
  if ! WINEDLLOVERRIDES="mscoree,mshtml=" wineboot --init >"$log" 2>&1 || ! wineserver -w >>"$log" 2>&1; then
    cat "$log" >&2
    echo "test-windows: could not create the Wine prefix" >&2
    exit 1
  fi
  touch "$ready"
fi

# One server for the whole run, up and warm before the tests start: test
# programs that start together on a cold server have hung here.
wineserver -p >/dev/null 2>&1 || true
wine cmd /c exit

ctest --test-dir "$build" --output-on-failure -j "$jobs"
