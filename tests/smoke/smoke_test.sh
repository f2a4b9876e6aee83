#!/usr/bin/env bash
# Starts the built program under a real X server, waits for its window, takes
# a screenshot and checks its size, then ends the program.
set -euo pipefail
exe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

unset QT_QPA_PLATFORM WAYLAND_DISPLAY
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" bash -c '
  exe=$1; work=$2
  "$exe" >"$work/out" 2>&1 &
  pid=$!
  for _ in $(seq 1 150); do
    # The window exists before it is sized and mapped: wait until it is viewable.
    xwininfo -name "VEQ Editor" >"$work/info" 2>/dev/null && grep -q IsViewable "$work/info" && break
    sleep 0.1
  done
  status=0
  if grep -q IsViewable "$work/info" 2>/dev/null; then
    sleep 0.5
    xwininfo -name "VEQ Editor" >"$work/info"
    for _ in 1 2 3 4 5; do xwd -name "VEQ Editor" -silent -out "$work/shot.xwd" 2>/dev/null && break; sleep 0.5; done
    [ -s "$work/shot.xwd" ] || status=1
    xprop -name "VEQ Editor" _NET_WM_ICON >"$work/icon" 2>&1 || true
  else
    echo "no window titled VEQ Editor appeared"; cat "$work/out"; status=1
  fi
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  exit $status
' bash "$exe" "$work"

width=$(awk '/Width:/ {print $2}' "$work/info")
height=$(awk '/Height:/ {print $2}' "$work/info")
echo "window: ${width}x${height}"
# 12330 x 9555 twips at 96 dpi.
[ "$width" -eq 822 ] && [ "$height" -eq 637 ] || { echo "unexpected window size"; exit 1; }
size=$(stat -c %s "$work/shot.xwd")
[ "$size" -gt $((width * height * 3)) ] || { echo "screenshot too small: $size bytes"; exit 1; }
echo "screenshot: $size bytes"
# The window carries the program's icon: the SVG was built in and Qt could render it.
grep -q "_NET_WM_ICON(CARDINAL)" "$work/icon" || { echo "the window has no icon:"; cat "$work/icon"; exit 1; }
echo "icon: $(wc -c <"$work/icon") bytes of _NET_WM_ICON"
