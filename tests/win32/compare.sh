#!/usr/bin/env bash
# Runs scenarios in the Windows test host under wine and in the native runner, and
# compares their outputs line for line.
#   compare.sh STATE WINDOWS_BUILD_DIR NATIVE_RUNNER HOST_EXE [--expect REGEX] all|SCENARIO...
# HOST_EXE is the test host's file name (FINALE.EXE, FINDEMO.EXE, ...); the native runner
# installs its simulated host under the same name. With --expect, every Windows output must
# also have a line matching REGEX (extended, whole line).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
state=$1 windows=$2 native=$3 exe=$4
shift 4
expect=""
if [ "${1:-}" == "--expect" ]; then expect=$2; shift 2; fi
[ -x "$native" ] || { echo "missing $native: build the debug preset first"; exit 1; }
[ -f "$windows/$exe" ] || { echo "missing $windows/$exe: build the win64 preset first"; exit 1; }

scenarios=("$@")
[ "${scenarios[*]}" == "all" ] && mapfile -t scenarios < <("$native" list)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for scenario in "${scenarios[@]}"; do
  if ! "$native" --module "$exe" "$scenario" >"$work/native"; then
    echo "$scenario: the native runner failed"; status=1; continue
  fi
  (cd "$windows" && "$here/wine.sh" run "$state" "./$exe" "$scenario") >"$work/windows" 2>"$work/stderr" \
    || { echo "$scenario: $exe failed:"; cat "$work/stderr"; status=1; continue; }
  if ! diff -u --label "native $scenario" --label "$exe $scenario" "$work/native" "$work/windows"; then
    status=1
  elif [ -n "$expect" ] && ! grep -qxE "$expect" "$work/windows"; then
    echo "$scenario: no line of $exe's output matches: $expect"; status=1
  else
    boxes=$(grep -c '^box ' "$work/windows" || true)
    echo "$scenario: $exe under wine and the native run agree ($boxes boxes)"
  fi
done
exit $status
