#!/usr/bin/env bash
# wine_installer_test.sh WINE BUILD_FOLDER VERSION
# The Windows installer as a Windows user (or an administrator's script) runs
# it, in a Wine prefix of its own: made with cpack from the build, installed
# silently (/S), installed again over itself as an update, the editor started
# from where it was installed, and uninstalled silently. Installed, both
# programs are in Program Files, the Start menu has the editor's shortcut and
# Windows' list of installed apps the entry with the version; uninstalled,
# none of it is left.
set -euo pipefail
wine=$1 build=$2 version=$3
here=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
unset QT_QPA_PLATFORM WAYLAND_DISPLAY DISPLAY
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && cpack -G NSIS -B "$work/package" >/dev/null) || fail "cpack could not make the installer"
setup=$work/package/veq-editor-$version-windows-x64-setup.exe
[ -f "$setup" ] || fail "no $setup"
"$here/scripts/wine-prefix.sh" "$WINEPREFIX" >/dev/null

folder="$WINEPREFIX/drive_c/Program Files/VEQ Editor"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/VEQ Editor/VEQ Editor.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\VEQ Editor'
# A value of the uninstall entry, or nothing.
entry() { "$wine" reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v name="$1" '$1 == name { $1 = $2 = ""; sub(/^ +/, ""); print }'; }

# The installer, silent, twice: the second run is an update over the first.
for run in install update; do
  "$wine" "$setup" /S
  wineserver -w
  for exe in veq-editor.exe veq.exe; do
    [ -f "$folder/bin/$exe" ] || fail "after the $run, no bin\\$exe in Program Files"
  done
  [ -f "$shortcut" ] || fail "after the $run, no Start-menu shortcut"
  grep -aq 'veq-editor\.exe' "$shortcut" || fail "the shortcut does not lead to veq-editor.exe"
  [ "$(entry DisplayName)" = "VEQ Editor" ] || fail "after the $run, no uninstall entry named VEQ Editor"
  [ "$(entry DisplayVersion)" = "$version" ] || fail "the uninstall entry's version is '$(entry DisplayVersion)'"
done
[ "$("$wine" "$folder/bin/veq.exe" --version | tr -d '\r')" = "veq $version" ] || fail "the installed veq does not run"

# The installed editor starts: its main window appears on a virtual X server,
# whose windows go to the Wine server this starts.
wineserver -k 2>/dev/null || true
xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" bash -c '
  "$1" "$2" >/dev/null 2>&1 &
  for _ in $(seq 1 600); do
    xwininfo -name "VEQ Editor" 2>/dev/null | grep -q IsViewable && { wineserver -k; exit 0; }
    sleep 0.1
  done
  wineserver -k; exit 1
' bash "$wine" 'C:\Program Files\VEQ Editor\bin\veq-editor.exe' || fail "the installed editor opened no window"

"$wine" "$(entry UninstallString | tr -d '"')" /S
wineserver -w
[ -z "$(find "$folder" -type f 2>/dev/null)" ] || fail "uninstalled, files are left: $(find "$folder" -type f)"
[ ! -e "$shortcut" ] || fail "uninstalled, the shortcut is left"
[ -z "$(entry DisplayName)" ] || fail "uninstalled, the uninstall entry is left"
echo "installed, updated, started and uninstalled VEQ Editor $version silently"
