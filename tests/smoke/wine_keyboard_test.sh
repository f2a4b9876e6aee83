#!/usr/bin/env bash
# wine_keyboard_test.sh WINE VEQ_EDITOR_EXE VEQ_EXE MAKE_SAMPLES_EXE
# A Read and a Write of the file list by keys alone, as a user without a
# mouse makes them: the Windows program under Wine on a virtual X server with
# a window manager (openbox, which gives new windows the keyboard as Windows
# does), through Windows' own file dialogs, the file names typed. The
# keyboard starts on the FileList list: Tab, Tab, Space is its Read; after the
# Read it is back on Read, so Tab, Space is its Write, and the file written
# holds the bytes of the file read: a file list as the program writes one
# (made by veq from the samples, whose file list holds an entry twice, which
# a list keeps once). Anywhere else, Tab and Space open another window or
# none, and no such file is written.
set -euo pipefail
wine=$1 editor=$2 veq=$3 samples=$4
work=$(mktemp -d)

# Wine's drive Z: is the Unix root.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# The windows go to the display of the Wine server's first program, so this
# test starts its own from inside the virtual X server and leaves none behind.
wineserver -k 2>/dev/null || true
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
"$wine" "$samples" "$(windows_path "$work/samples")" >/dev/null
(cd "$work" && "$wine" "$veq" dump --headers 'samples\filelist.dat' >list.txt && "$wine" "$veq" build list.txt read_filelist.dat)
wineserver -k 2>/dev/null || true

status=0
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" bash -c '
  set -u
  wine=$1 editor=$2 read_path=$3 written_path=$4
  openbox >/dev/null 2>&1 &

  # The file dialog: a window of the program without a title (Qt gives the
  # native dialog none), on the screen.
  dialog() {
    local id
    for id in $(xdotool search --onlyvisible --class veq-editor 2>/dev/null); do
      [ -z "$(xdotool getwindowname "$id")" ] && return 0
    done
    return 1
  }
  no_dialog() { ! dialog; }
  main_window() { xwininfo -name "VEQ Editor" 2>/dev/null | grep -q IsViewable; }
  message() { xwininfo -name Message 2>/dev/null | grep -q IsViewable; }
  # Whether $1 holds within $2 seconds.
  within() {
    for _ in $(seq 1 $(($2 * 10))); do
      $1 && return 0
      sleep 0.1
    done
    return 1
  }
  keys() { sleep 0.5; xdotool key --delay 150 "$@"; }
  # Types a path over what the dialog suggests and takes it with Enter.
  answer() { sleep 1; keys Home shift+End; xdotool type --delay 40 "$1"; keys Return; within no_dialog 20; }

  "$wine" "$editor" >/dev/null 2>&1 &
  within main_window 60 || { echo "FAIL: no main window"; exit 1; }
  keys Tab Tab space
  within dialog 30 || { echo "FAIL: Tab, Tab, Space opened no file dialog"; exit 1; }
  answer "$read_path" || { echo "FAIL: the Read dialog did not take the file"; exit 1; }
  within main_window 30 || { echo "FAIL: the main window did not come back after the Read"; exit 1; }
  keys Tab space
  if ! within dialog 15; then
    message && echo "FAIL: after the Read, Tab and Space opened a message, not the Write dialog" ||
      echo "FAIL: after the Read, Tab and Space opened no file dialog"
    exit 1
  fi
  answer "$written_path" || { echo "FAIL: after the Read, Tab and Space opened a dialog that took no new name: not the Write dialog"; exit 1; }
  exit 0
' bash "$wine" "$editor" "$(windows_path "$work/read_filelist.dat")" \
  "$(windows_path "$work/written_filelist.dat")" || status=$?

if [ ! -f "$work/written_filelist.dat" ]; then
  echo "FAIL: nothing was written: after the Read the keyboard was not back on FileList's Read"
  exit 1
fi
cmp "$work/read_filelist.dat" "$work/written_filelist.dat" || { echo "FAIL: the file written does not hold the bytes read"; exit 1; }
echo "read and wrote the file list by keys through Windows' file dialogs; the file written holds the bytes read"
exit "$status"
