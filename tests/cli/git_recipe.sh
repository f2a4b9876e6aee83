#!/usr/bin/env bash
# Runs the git recipe of the command-line guide, as written there, in a scratch repository:
# before it git diff calls a changed filelist.dat binary, after it git diff and
# git show print the entry that was added.
set -euo pipefail
veq=$1
readme=$2 # the guide to the command line
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; [ -f "$work/out" ] && cat "$work/out"; exit 1; }

# The recipe is the sh block of the guide that sets the textconv filter.
recipe=$(awk '/^```sh$/ { inside = 1; block = ""; next }
              /^```$/ { if (inside && block ~ /textconv/) { printf "%s", block; exit } inside = 0; next }
              inside { block = block $0 "\n" }' "$readme")
[ -n "$recipe" ] || fail "no sh block with the textconv recipe in $readme"
echo "recipe:"; echo "$recipe"

export PATH="$(cd "$(dirname "$veq")" && pwd):$PATH" GIT_CONFIG_NOSYSTEM=1 GIT_CONFIG_GLOBAL=/dev/null
cd "$work"
git init -q repo && cd repo
git config user.name test && git config user.email test@example.invalid
printf '03010714\n03010715\n' >"$work/list.txt"
veq build --kind filelist "$work/list.txt" filelist.dat
git add filelist.dat && git commit -qm start
veq add filelist.dat 03010716 >/dev/null

git diff >"$work/out"
grep -q '^Binary files' "$work/out" || fail "without the recipe git diff does not call the file binary"

bash -euo pipefail -c "$recipe"
git diff >"$work/out"
grep -qx '+03010716' "$work/out" || fail "git diff does not show the added entry"
grep -qx ' 03010714' "$work/out" || fail "git diff does not show the kept entries"
git commit -qam added
git show >"$work/out"
grep -qx '+03010716' "$work/out" || fail "git show does not show the added entry"
! grep -q '^Binary files' "$work/out" || fail "git show still calls the file binary"
echo "git diff and git show print entries"
