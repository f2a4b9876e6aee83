#!/usr/bin/env bash
# scripts/wine-prefix.sh PREFIX
# Makes the Wine prefix PREFIX that the Windows build runs in, once: a second
# run finds its mark and does nothing, and an interrupted first run is started
# over instead of leaving half a prefix. Never ~/.wine: that is where the
# program looks for the simulation.
set -euo pipefail
prefix=${1:?usage: scripts/wine-prefix.sh PREFIX}
# Wine, its own fonts (without them Qt's offscreen windows draw no text) and
# Liberation Mono, which stands in for Courier New below.
"$(dirname "$0")/install-deps.sh" wine wine64 fonts-wine fonts-liberation2
ready="$prefix/.veq-prefix-complete"
[ -f "$ready" ] && exit 0

export WINEPREFIX=$prefix WINEDEBUG=-all
echo "Creating the Wine prefix $prefix"
rm -rf "$prefix"
mkdir -p "$prefix"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# No Mono or Gecko: nothing here needs them, and installing them would ask.
# A bare prefix has no Courier New, which every Windows has and the entry
# lists ask for: Liberation Mono has its metrics and stands in for it.
if ! (unset DISPLAY WAYLAND_DISPLAY
      WINEDLLOVERRIDES="mscoree,mshtml=" wineboot --init &&
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono' /f &&
      wineserver -w) >"$log" 2>&1; then
  cat "$log" >&2
  echo "wine-prefix: could not create the Wine prefix $prefix" >&2
  exit 1
fi
touch "$ready"
