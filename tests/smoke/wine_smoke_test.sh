#!/usr/bin/env bash
# wine_smoke_test.sh WINE VEQ_EDITOR_EXE MAKE_SAMPLES_EXE
# Starts the Windows program under Wine on a virtual X server with a file
# named by a Windows path, as Explorer hands files over: a good file list
# opens the main window "VEQ Editor" with no message, and a damaged one the
# message window, so the file was found by that path and read. Then on a
# screen lower than the main window (1024 x 600), with a window manager's
# frame around it: the window is shown whole, at the largest scale that fits.
set -euo pipefail
wine=$1 editor=$2 samples=$3
work=$(mktemp -d)

# Wine's drive Z: is the Unix root.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# The windows go to the display of the Wine server's first program: the
# server the other tests share has none, so this test starts its own, from
# inside the virtual X server, and leaves none behind.
wineserver -k 2>/dev/null || true
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" bash -c '
  wine=$1 editor=$2 samples=$3 work=$4 folder=$5 good=$6 damaged=$7
  "$wine" "$samples" "$folder" >/dev/null
  head -c 50 "$work/samples/filelist.dat" >"$work/damaged_filelist.dat"
  # Whether a viewable window named $1 appears within $2 seconds.
  appears() {
    for _ in $(seq 1 $(($2 * 10))); do
      xwininfo -name "$1" 2>/dev/null | grep -q IsViewable && return 0
      sleep 0.1
    done
    return 1
  }
  status=0
  for file in "$good" "$damaged"; do
    "$wine" "$editor" "$file" >/dev/null 2>&1 &
    pid=$!
    if ! appears "VEQ Editor" 60; then
      echo "no window named \"VEQ Editor\" appeared for $file"; status=1
    elif [ "$file" = "$good" ] && appears Message 3; then
      echo "$file was refused"; status=1
    elif [ "$file" = "$damaged" ] && ! appears Message 10; then
      echo "$file was not read: no message refused it"; status=1
    fi
    "$wine" taskkill /f /im veq-editor.exe >/dev/null 2>&1 || kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  exit $status
' bash "$wine" "$editor" "$samples" "$work" "$(windows_path "$work/samples")" \
  "$(windows_path "$work/samples/filelist.dat")" "$(windows_path "$work/damaged_filelist.dat")"
echo "opened the file lists given by Windows paths"

wineserver -k 2>/dev/null || true
xvfb-run -a -s "-screen 0 1024x600x24 -dpi 96" bash -c '
  wine=$1 editor=$2
  openbox >/dev/null 2>&1 &
  "$wine" "$editor" >/dev/null 2>&1 &
  for _ in $(seq 1 600); do
    xwininfo -name "VEQ Editor" 2>/dev/null | grep -q IsViewable && break
    sleep 0.1
  done
  sleep 1
  read -r top width height < <(xwininfo -name "VEQ Editor" |
    awk "/Absolute upper-left Y/ { y = \$4 } /Width:/ { w = \$2 } /Height:/ { h = \$2 } END { print y, w, h }")
  "$wine" taskkill /f /im veq-editor.exe >/dev/null 2>&1 || true
  # Designed as 822 x 637 pixels at 96 dpi: shown smaller, in proportion, and
  # whole. In proportion to 1 %: openbox frames it a little more than Windows
  # would, and keeps it on the screen by the difference.
  echo "on 1024 x 600: the window is ${width} x ${height} at height $top"
  [ "$((top + height))" -le 600 ] && [ "$height" -lt 637 ] && [ "$((width * 637 / height))" -ge 814 ] &&
    [ "$((width * 637 / height))" -le 830 ]
' bash "$wine" "$editor" || { echo "on a screen lower than the window, the window is not shown whole in proportion"; exit 1; }
