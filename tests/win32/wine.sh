#!/usr/bin/env bash
# Runs Windows programs under wine, headless, in a wine prefix made fresh for one test run
# in a temporary folder and removed after it.
#   wine.sh start STATE          makes the prefix; STATE (a file) remembers where it is
#   wine.sh run STATE PROGRAM [ARG...]
#   wine.sh stop STATE           ends the prefix's wine server and removes the prefix
set -euo pipefail
wine=${WINE:-/usr/lib/wine/wine64}
wineserver=${WINESERVER:-/usr/lib/wine/wineserver64}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
export HOME=${HOME:-${TMPDIR:-/tmp}}

command=$1 state=$2
shift 2
case $command in
start)
  prefix=$(mktemp -d "${TMPDIR:-/tmp}/holdsync-wine.XXXXXX")
  echo "$prefix" >"$state"
  export WINEPREFIX=$prefix
  # One server for the whole run, kept a while between programs. Neither it nor the
  # services wineboot starts may hold this script's output open: a test runner would wait.
  "$wineserver" -p30 </dev/null >/dev/null 2>&1
  started=$SECONDS
  "$wine" wineboot --init </dev/null >/dev/null 2>&1
  echo "wine prefix $prefix ready in $((SECONDS - started)) s"
  ;;
run)
  [ -f "$state" ] || { echo "no wine prefix: run 'wine.sh start' first"; exit 2; }
  export WINEPREFIX=$(cat "$state")
  exec "$wine" "$@"
  ;;
stop)
  [ -f "$state" ] || exit 0
  prefix=$(cat "$state")
  WINEPREFIX=$prefix "$wineserver" -k 2>/dev/null || true
  WINEPREFIX=$prefix "$wineserver" -w 2>/dev/null || true
  rm -rf "$prefix" "$state"
  ;;
*)
  echo "usage: wine.sh start|run|stop STATE [PROGRAM ARG...]" >&2
  exit 2
  ;;
esac
