#!/usr/bin/env bash
# Without a display the program says why in one line and fails.
set -u
exe=$1
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$exe" 2>&1)
status=$?
echo "$out"
[ "$status" -ne 0 ] || { echo "exit status was 0"; exit 1; }
[ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] || { echo "expected one line"; exit 1; }
printf '%s' "$out" | grep -q "no display" || exit 1
