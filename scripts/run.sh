#!/usr/bin/env bash
# The main job: builds the command-line tool and runs the plug-in's command with it.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target holdsync_cli
./build/release/cli/holdsync "$@"
