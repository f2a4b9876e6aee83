#!/usr/bin/env bash
# wine_smoke_test.sh WINE VEQ_EDITOR_EXE VEQ_EXE MAKE_SAMPLES_EXE
# Starts the Windows program under Wine on a virtual X server with a file
# list named by a Windows path, as Explorer hands files over, and checks that
# its main window holds that file's entries: the keyboard, which starts on
# the FileList list, presses its Write, and the native save dialog writes
# them to a new file, whose entries must be the read file's.
set -euo pipefail
wine=$1 editor=$2 veq=$3 samples=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Wine's drive Z: is the Unix root.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

"$wine" "$samples" "$(windows_path "$work/samples")" >/dev/null
mkdir "$work/written"
input=$(windows_path "$work/samples/filelist.dat")
output=$(windows_path "$work/written/filelist.dat")

unset QT_QPA_PLATFORM WAYLAND_DISPLAY
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" bash -c '
  wine=$1; editor=$2; input=$3; output=$4; work=$5
  "$wine" "$editor" "$input" >"$work/out" 2>&1 &
  pid=$!
  # Waits up to $2 seconds for a viewable window named $1.
  await() {
    for _ in $(seq 1 $(($2 * 10))); do
      xwininfo -name "$1" 2>/dev/null | grep -q IsViewable && return 0
      sleep 0.1
    done
    echo "no window named \"$1\" appeared"; cat "$work/out"; return 1
  }
  status=0
  if await "VEQ Editor" 60; then
    sleep 1
    # From the FileList list: Tab to "Read", "Write" of filelist.dat.
    xdotool key --delay 100 Tab Tab Tab space
    if await "Save As" 30; then
      sleep 1
      xdotool type --delay 20 "$output"
      xdotool key Return
      for _ in $(seq 1 100); do [ -s "$work/written/filelist.dat" ] && break; sleep 0.1; done
    else
      status=1
    fi
  else
    status=1
  fi
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  exit $status
' bash "$wine" "$editor" "$input" "$output" "$work"

[ -s "$work/written/filelist.dat" ] || { echo "nothing was written to $output"; exit 1; }
"$wine" "$veq" dump "$input" >"$work/read.txt"
"$wine" "$veq" dump "$output" >"$work/written.txt"
count=$(grep -c . "$work/read.txt")
[ "$count" -gt 0 ] || { echo "the sample file list has no entries"; exit 1; }
cmp -s "$work/read.txt" "$work/written.txt" || {
  echo "the window wrote other entries than $input holds:"; diff "$work/read.txt" "$work/written.txt"; exit 1; }
echo "read $input and wrote its $count entries back through the window"
