#!/usr/bin/env bash
# The editor's own options are answered on standard output with status 0,
# with or without a display, and open no window; an option it does not know
# is a usage error, said in one line.
set -u
exe=$1
version=$2
failures=0

# check NAME EXPECTED_STATUS STDOUT_PATTERN STDERR_PATTERN ENV... -- ARGS...
# A pattern of "" means nothing may be written there.
matches() {
  if [ -z "$1" ]; then [ ! -s "$2" ]; else grep -qE "$1" "$2"; fi
}

check() {
  local name=$1 status=$2 out_pattern=$3 err_pattern=$4
  shift 4
  local env=()
  while [ "$1" != "--" ]; do env+=("$1"); shift; done
  shift
  local out err got
  out=$(mktemp) err=$(mktemp)
  # A window that opened would keep the program running: the timeout ends it.
  timeout 20 env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${env[@]}" "$exe" "$@" >"$out" 2>"$err"
  got=$?
  if [ "$got" -ne "$status" ] || ! matches "$out_pattern" "$out" || ! matches "$err_pattern" "$err"; then
    echo "FAIL: $name: status $got (expected $status)"
    echo "  stdout: $(head -3 "$out")"
    echo "  stderr: $(cat "$err")"
    failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
  rm -f "$out" "$err"
}

for display in "" QT_QPA_PLATFORM=offscreen; do
  where=${display:+with a display}
  where=${where:-without a display}
  check "--help $where" 0 '^Usage: veq-editor \[FILE\]' "" ${display:+"$display"} -- --help
  check "-h $where" 0 '^Usage: veq-editor' "" ${display:+"$display"} -- -h
  check "--version $where" 0 "^veq-editor $version\$" "" ${display:+"$display"} -- --version
  check "a file, then --version $where" 0 "^veq-editor $version\$" "" ${display:+"$display"} -- x_filelist.dat --version
done
check "an unknown option" 2 "" '^veq-editor: unknown option "--bogus"' QT_QPA_PLATFORM=offscreen -- --bogus
echo "$failures failed"
[ "$failures" -eq 0 ]
