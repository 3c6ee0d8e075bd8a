#!/usr/bin/env bash
# Builds every preset and runs every test: the Windows plug-in first (the suite inspects
# it), then the native debug build with the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh

jobs=$(nproc)
for preset in windows debug; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done
ctest --preset debug -j "$jobs"
