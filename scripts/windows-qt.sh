#!/usr/bin/env bash
# scripts/windows-qt.sh [--check] PREFIX
# Builds a static QtBase for 64-bit Windows with MinGW-w64 into PREFIX, from
# Debian's source of the Qt the Linux build uses, whose tools (moc, rcc, uic)
# then serve the cross build as its host tools. Only what the program uses:
# Core, Gui, Widgets, Test (for the window tests) and the windows and
# offscreen platforms.
#
# A second run with PREFIX complete does nothing. The build folder lives
# beside PREFIX until the install is complete, so an interrupted run goes on
# where it stopped; PREFIX counts only once its mark is written. --check only
# says whether PREFIX is complete (status 0) or not (status 1).
set -euo pipefail
cd "$(dirname "$0")/.."
toolchain=$PWD/cmake/toolchains/x86_64-w64-mingw32.cmake

check=
[ "${1:-}" = --check ] && { check=1; shift; }
prefix=${1:?usage: scripts/windows-qt.sh [--check] PREFIX}
work=$prefix.work
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}

[ -n "$check" ] || scripts/install-deps.sh g++-mingw-w64-x86-64-posix qt6-base-dev-tools ninja-build dpkg-dev

# The source version of the host Qt: the cross build must match its tools.
version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools 2>/dev/null || true)
ready=$prefix/.veq-qt-complete
if [ -n "$version" ] && [ "$(cat "$ready" 2>/dev/null)" = "$version" ]; then
  [ -n "$check" ] || echo "Qt $version for Windows is in $prefix"
  exit 0
fi
[ -z "$check" ] || exit 1

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)

# apt-get source needs a deb-src entry. It is added, in a file of its own, for
# the archive and suite the installed Qt came from (as `apt-cache policy` names
# them), with that entry's key; the other sources stay as they are.
list=/etc/apt/sources.list.d/veq-qt-source.sources
if ! apt-get source --print-uris -qq "qt6-base=$version" >/dev/null 2>&1; then
  origin=$(apt-cache policy qt6-base-dev-tools |
    awk -v v="$version" '$1 == "***" || $1 == v { take = 1; next }
      take && $2 ~ /^[a-z]+:\/\// { print $2, $3; exit }')
  uri=${origin% *}
  suite=${origin#* }; component=${suite#*/}; suite=${suite%%/*}
  [ -n "$uri" ] || { echo "windows-qt: no archive offers qt6-base $version" >&2; exit 1; }
  key=$(grep -rh -A5 "^URIs: *$uri/*$" /etc/apt/sources.list.d/*.sources 2>/dev/null |
    sed -n 's/^Signed-By: *//p' | head -n 1)
  echo "Adding the source archive $uri $suite in $list"
  { printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\n' "$uri" "$suite" "$component"
    [ -z "$key" ] || printf 'Signed-By: %s\n' "$key"; } | "${sudo[@]}" tee "$list" >/dev/null
  "${sudo[@]}" apt-get update -qq
fi

rm -rf "$prefix"
mkdir -p "$work"
if [ ! -f "$work/source-complete" ]; then
  rm -rf "$work"/*
  (cd "$work" && apt-get source -qq "qt6-base=$version")
  touch "$work/source-complete"
fi
src=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' -print -quit)

# Host tools come from /usr: the MinGW toolchain searches packages in its
# sysroot only, so the host's Qt6HostInfo is named outright. The wintab.h that
# tablet events need is not free and not in Debian's source.
cmake -S "$src" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DBUILD_SHARED_LIBS=OFF \
  -DQT_HOST_PATH=/usr \
  -DQt6HostInfo_DIR="$(dirname "$(find /usr/lib -path '*/cmake/Qt6HostInfo/Qt6HostInfoConfig.cmake' -print -quit)")" \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
  -DINPUT_opengl=no -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
  -DFEATURE_tabletevent=OFF -DFEATURE_jpeg=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
  -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
cmake --build "$work/build" -j "$jobs"
cmake --install "$work/build"

echo "$version" >"$ready"
rm -rf "$work"
echo "Qt $version for Windows is in $prefix"
