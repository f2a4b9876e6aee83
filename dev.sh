#!/usr/bin/env bash
# The README's commands: ./dev.sh run | test | bench | fuzz | install-deps
# Each installs what a fresh Debian 12 machine lacks (make and the compiler
# included), then hands over to the Makefile.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
target=${1:-run}
shift || true
exec make "$target" "$@"
