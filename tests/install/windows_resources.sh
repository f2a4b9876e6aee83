#!/usr/bin/env bash
# windows_resources.sh WINDRES VERSION LICENSE EXE...
# What Windows reads of each built program, read back from the program itself:
# its version information (product, file and product version from the
# project's version, a description, the licence's copyright line, its own file
# name) and the manifest Windows starts it with (UTF-8 as its code page,
# per-monitor DPI awareness v2, Windows 10 and 11 as supported systems).
set -euo pipefail
windres=$1 version=$2 license=$3
shift 3
copyright=$(grep -m 1 '^Copyright' "$license")
IFS=. read -r major minor patch <<<"$version"
status=0
for exe in "$@"; do
  name=$(basename "$exe")
  # windres writes the resources back as a script, the manifest's quotes doubled.
  script=$("$windres" -i "$exe" -O rc) || { echo "FAIL: $name has no resources"; status=1; continue; }
  text=${script//\"\"/\"}
  for want in "FILEVERSION $major, $minor, $patch, 0" "PRODUCTVERSION $major, $minor, $patch, 0" \
    "VALUE \"ProductName\", \"VEQ Editor\"" "VALUE \"FileVersion\", \"$version\"" \
    "VALUE \"ProductVersion\", \"$version\"" "VALUE \"LegalCopyright\", \"$copyright\"" \
    "VALUE \"OriginalFilename\", \"$name\"" "1 24 /* RT_MANIFEST */" \
    '<activeCodePage xmlns="http://schemas.microsoft.com/SMI/2019/WindowsSettings">UTF-8</activeCodePage>' \
    '<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2</dpiAwareness>' \
    '<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>'; do
    grep -qF -- "$want" <<<"$text" || { echo "FAIL: $name lacks $want"; status=1; }
  done
  grep -q 'VALUE "FileDescription", "[^"]' <<<"$text" || { echo "FAIL: $name has no description"; status=1; }
done
[ "$status" -eq 0 ] && echo "version information and manifest in $*"
exit "$status"
