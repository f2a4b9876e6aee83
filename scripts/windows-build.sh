#!/usr/bin/env bash
# scripts/windows-build.sh BUILD_FOLDER [QT_PREFIX [TARGET...]]
# Configures and builds VEQ Editor for 64-bit Windows with MinGW-w64 (warnings
# as errors): with QT_PREFIX, the static Qt of scripts/windows-qt.sh, the whole
# program; without it the part that needs no Qt. TARGETs limit the build.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:?usage: scripts/windows-build.sh BUILD_FOLDER [QT_PREFIX [TARGET...]]}
qt=${2:-}
shift $(($# < 2 ? $# : 2))
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}

scripts/install-deps.sh g++-mingw-w64-x86-64-posix googletest

if [ -n "$qt" ]; then
  program=(-DVEQ_BUILD_UI=ON -DVEQ_WINDOWS_QT="$qt")
else
  program=(-DVEQ_BUILD_UI=OFF)
fi
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/x86_64-w64-mingw32.cmake \
  -DCMAKE_BUILD_TYPE=Release -DVEQ_WERROR=ON "${program[@]}"
cmake --build "$build" -j "$jobs" ${1:+--target "$@"}
