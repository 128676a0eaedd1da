#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for SECONDS (default
# 3600) over the seed corpus in tests/fuzz/corpus. New inputs go to build-fuzz/corpus/<target>
# (never into the repository); a finding stops with the crashing input in build-fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-3600}"

build=build-fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DKRAVELO_FUZZ=ON -DKRAVELO_BUILD_TESTS=OFF -DKRAVELO_BUILD_BENCH=OFF >/dev/null
targets=(line ssa_header subrip text profile chapters engines skin_bitmap)
cmake --build "$build" --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"

mkdir -p "$build/findings"
status=0
for t in "${targets[@]}"; do
  mkdir -p "$build/corpus/$t"
  echo "fuzz_$t: ${seconds} s"
  if ! "$build/fuzz_$t" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$build/findings/$t-" "$build/corpus/$t" "tests/fuzz/corpus/$t" \
      >"$build/fuzz_$t.log" 2>&1; then
    echo "fuzz_$t: FINDING, see $build/fuzz_$t.log and $build/findings/"
    status=1
  else
    grep -a -E '^Done|stat::number_of_executed_units' "$build/fuzz_$t.log" | tail -2
  fi
done
exit "$status"
