#!/usr/bin/env bash
# fonts_without_courier_new.sh WINE TEST_LAYOUT_EXE PREFIX
# The lists' font on a Windows without Courier New: the font tests of
# test_layout through Qt's own Windows platform (not offscreen), in a Wine
# prefix PREFIX, made once, where nothing stands in for Courier New. There
# the system's fixed font, Courier New again, resolves to a proportional face.
set -euo pipefail
wine=$1 test=$2 prefix=$3
export WINEPREFIX=$prefix WINEDEBUG=-all
unset QT_QPA_PLATFORM WAYLAND_DISPLAY DISPLAY
if [ ! -f "$prefix/.veq-no-courier-new" ]; then
  "$(dirname "$0")/../../scripts/wine-prefix.sh" "$prefix"
  "$wine" reg delete 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /f >/dev/null
  wineserver -w
  touch "$prefix/.veq-no-courier-new"
fi
trap 'wineserver -k 2>/dev/null || true' EXIT
# Wine passes no QT_ variable on: the platform goes on the command line.
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" "$wine" "$test" -platform windows --gtest_filter='ListFont.*'
