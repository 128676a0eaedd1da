#!/usr/bin/env bash
# Installs what is missing, builds a Release build in build-release/ and starts Kravelo.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

build=build-release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKRAVELO_BUILD_TESTS=OFF -DKRAVELO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"

# Until the main window exists, show the engines at work on a sample document.
sample=data/samples/sample.txt
echo "== kravelo-cli check $sample"
"$build/kravelo-cli" check --fps 25 "$sample" || true
echo
echo "== kravelo-cli convert --to decisecond --fps 25 $sample"
"$build/kravelo-cli" convert --to decisecond --fps 25 "$sample"
echo
echo "== kravelo-cli convert --to ssa --fps 25 $sample"
"$build/kravelo-cli" convert --to ssa --fps 25 "$sample"
