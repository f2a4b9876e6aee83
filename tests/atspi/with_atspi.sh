#!/usr/bin/env bash
# Runs a command on a real X server with the desktop's accessibility bus
# (AT-SPI) up and Qt's bridge to it switched on, as a screen reader sees it.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 COMMAND [ARGS...]"; exit 2; }

unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# One private session bus and one X server per run, both gone when it ends.
exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" bash -c '
  # Qt joins the accessibility bus only when it is already up: start it first.
  for _ in $(seq 1 50); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
      >/dev/null 2>&1 && break
    sleep 0.1
  done
  exec "$@"
' bash "$@" 2> >(grep -v "Failed to set fd limit" >&2)
