#!/usr/bin/env bash
# Installs what is missing, builds a Debug build with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-test/, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

build=build-test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKRAVELO_SANITIZE=ON -DKRAVELO_BUILD_BENCH=ON
cmake --build "$build" --parallel "$(nproc)"

# Each libFuzzer target a few seconds over the seed corpus, so a broken invariant shows here.
bash scripts/fuzz.sh "${KRAVELO_FUZZ_SECONDS:-5}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# GUI tests need a display; xvfb-run gives them one. Their summary closes the output.
(cd "$build" && xvfb-run -a ctest --output-on-failure --timeout 300)
