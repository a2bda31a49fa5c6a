#!/usr/bin/env bash
# Installs what is missing, builds Lindor and starts it with the given arguments.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target lindor
exec ./build/src/lindor "$@"
