#!/usr/bin/env bash
# Builds and runs every test: once as released (with the benchmark budgets), once under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the fuzz targets for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
summary=$(mktemp)
trap 'rm -f "$summary"' EXIT

# Runs ctest in a build folder and keeps its closing count for the summary.
run_ctest() {
  ctest --test-dir "$1" --output-on-failure -j "$jobs" | tee -a "$summary"
}

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
run_ctest build
bash scripts/bench.sh build

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVAN_SANITIZE=ON -DQUORVAN_BUILD_BENCH=OFF
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest build-sanitize

# Readers of what a person or another machine wrote, under libFuzzer for a bounded time each.
bash scripts/fuzz.sh

awk '/tests passed, [0-9]+ tests failed out of/ { total += $NF; failed += $(NF-5) }
     END { printf "all tests: %d passed, %d failed\n", total - failed, failed }' "$summary"
