#!/usr/bin/env bash
# Builds every preset and runs every test: the Windows plug-in first (the suite inspects
# it), then the native debug build with the sanitizers, the 32-bit x86 build (its tests
# run under qemu-i386) and the 64-bit Windows test host (its tests run the plug-in inside
# wine's loader and compare with the native debug build).
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh

jobs=$(nproc)
stage() {
  local started=$SECONDS
  "$@"
  echo "== $* took $((SECONDS - started)) s"
}
for preset in windows debug x86 win64; do
  cmake --preset "$preset" >/dev/null
  stage cmake --build --preset "$preset" -j "$jobs"
done
for preset in debug x86 win64; do
  stage ctest --preset "$preset" -j "$jobs"
done
