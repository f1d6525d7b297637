#!/usr/bin/env bash
# The include check must catch what it is there for: a copy of src/ with one
# planted fault of each kind fails, naming the file; the clean copy passes.
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
SRC=$HERE/../../src
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0

expect() { # description, expected exit code, expected text, src-root
  local out rc
  out=$(python3 "$HERE/check-layers" "$4" 2>&1); rc=$?
  if [ "$rc" -ne "$2" ] || ! grep -qF -- "$3" <<<"$out"; then
    echo "FAIL: $1 (exit $rc)"; echo "$out" | tail -n 5; fail=1
  else
    echo "ok: $1"
  fi
}

plant() { # name of the copy, file, line to add
  rm -rf "${work:?}/$1"; cp -r "$SRC" "$work/$1"
  printf '%s\n' "$3" >>"$work/$1/$2"
}

cp -r "$SRC" "$work/clean"
expect "the tree as it is passes" 0 "every include goes down" "$work/clean"
plant up base/PathsWin32.cpp '#include "bar/BarLogic.h"'
expect "base/ including bar/ fails" 1 'src/base/PathsWin32.cpp' "$work/up"
plant side settings/SettingsStore.cpp '#include "ui/Elements.h"'
expect "settings/ including ui/ (same layer) fails" 1 'from its own layer' "$work/side"
plant portable settings/SettingsStore.cpp '#include <windows.h>'
expect "a portable file including <windows.h> fails" 1 'portable file includes <windows.h>' "$work/portable"
mkdir -p "$work/clean/newfolder" && echo '// x' >"$work/clean/newfolder/A.h"
expect "a folder missing from the layers fails" 1 'folder missing' "$work/clean"
exit $fail
