#!/usr/bin/env bash
# Installs what is missing, builds a Release build in build-release/ and starts Kravelo with
# the sample subtitle file (any arguments given replace it).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

build=build-release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKRAVELO_BUILD_TESTS=OFF -DKRAVELO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target kravelo kravelo-cli

if [ "$#" -eq 0 ]; then
  set -- data/samples/sample.txt
fi
exec "$build/kravelo" "$@"
