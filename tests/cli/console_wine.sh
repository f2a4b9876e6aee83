#!/usr/bin/env bash
# console_wine.sh WINE VEQ_EXE MAKE_SAMPLES_EXE
# veq.exe under Wine as a user of cmd runs it. In a console (here a terminal
# that Wine's console host writes to) the names it prints, and its messages,
# read as typed, also where the bytes of a character fall on both sides of a
# full buffer; redirected to a file they stay UTF-8. File operands typed in
# cmd with * and ? become the files they match, level by level, in the order
# of their names regardless of case; quoted, or matching nothing, as typed.
set -euo pipefail
wine=$1 veq=$2 samples=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LANG=C.UTF-8 SHELL=/bin/bash

fail() { echo "FAIL: $*"; exit 1; }

# Ninety folders "Flugzeug_äöü€_NN" with a file list each: the lines are 51
# bytes long, so the 4096th byte ends inside the "€" of the 81st.
"$wine" "$samples" "Z:${work//\//\\}\\samples" >/dev/null
expected=$work/expected
mkdir "$work/planes"
for n in $(seq -w 0 89); do
  mkdir "$work/planes/Flugzeug_äöü€_$n"
  cp "$work/samples/filelist.dat" "$work/planes/Flugzeug_äöü€_$n/"
  printf 'Flugzeug_äöü€_%s\\filelist.dat: ok, 98 entries\n' "$n" >>"$expected"
done
[ "$(head -c 4097 "$expected" | tail -c 1 | od -An -tu1 | tr -d ' ')" -ge 128 ] &&
  [ "$(head -c 4097 "$expected" | tail -c 1 | od -An -tu1 | tr -d ' ')" -lt 192 ] ||
  fail "the 4097th byte of the output is no continuation byte"

# What a terminal shows of a command, without the console host's cursor
# controls and carriage returns.
in_console() {
  (cd "$work/planes" && script -qec "$(printf '%q ' "$@")" /dev/null) |
    sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g' | tr -d '\r'
}

in_console "$wine" "$veq" check '*\filelist.dat' >"$work/console"
cmp -s "$expected" "$work/console" || { diff "$expected" "$work/console" | head || true; fail "the console shows other text"; }

(cd "$work/planes" && "$wine" "$veq" check '*\filelist.dat') >"$work/redirected"
tr -d '\r' <"$work/redirected" | cmp -s "$expected" - || fail "the redirected output is not the UTF-8 expected"

# A message on standard error names the file as typed.
in_console "$wine" "$veq" check 'Flugzeug_äöü€_07\planesq.dat' >"$work/message" || true
grep -q 'Flugzeug_äöü€_07\\planesq\.dat' "$work/message" || { cat "$work/message"; fail "the message misnames the file"; }

# Command lines as typed in cmd (a batch file hands them on unchanged), each
# with what veq makes of its operands: the files checked, or the name it could
# not open. %CD% is the folder the batch runs in.
mkdir -p "$work/cmd/mods/a" "$work/cmd/mods/B" "$work/cmd/mods/c" "$work/cmd/mods/a.dat" "$work/cmd/mods/d e"
for folder in a B "d e"; do cp "$work/samples/filelist.dat" "$work/cmd/mods/$folder/"; done
cp "$work/samples/filelist.dat" "$work/cmd/mods/c/other_filelist.dat"
here='Z:'${work//\//\\}'\cmd'
veq_path='Z:'${veq//\//\\}
cat >"$work/cases" <<CASES
veq check mods\\*\\filelist.dat|mods\\a\\filelist.dat mods\\B\\filelist.dat mods\\d e\\filelist.dat
veq check mods/?/*list.dat|mods/a/filelist.dat mods/B/filelist.dat mods/c/other_filelist.dat
veq check mods\\a*\\*.dat|mods\\a\\filelist.dat
veq check "mods\\*\\filelist.dat"|! mods\\*\\filelist.dat
veq check mods\\*\\planesq.dat|! mods\\*\\planesq.dat
veq check mods/"*"/filelist.dat|! mods\\*\\filelist.dat
veq check "mods\\d e"\\*filelist.dat|! mods\\d e\\*filelist.dat
veq check \\\\?\\%CD%\\mods\\a\\*.dat|\\\\?\\$here\\mods\\a\\filelist.dat
CASES
while IFS='|' read -r typed expected; do
  printf '@echo off\r\n%s 2>&1\r\n' "${typed/veq/\"$veq_path\"}" >"$work/cmd/case.cmd"
  got=$( (cd "$work/cmd" && "$wine" cmd /c case.cmd || true) | tr -d '\r' |
    sed -e 's/^veq: Could not open \(.*\): the file does not exist\.$/! \1/' -e 's/: ok, 98 entries$//' |
    paste -sd ' ')
  [ "$got" = "$expected" ] || fail "typed in cmd: $typed
  veq took: $got
  expected: $expected"
done <"$work/cases"
echo "names read right in a console and stay UTF-8 when redirected; wildcards expanded as typed in cmd"
