#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time (FUZZ_SECONDS, default
# 60) from its seed corpus. A crash, a leak or a broken invariant fails the run; the input that
# caused it is left in build-fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}

cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUORVAN_SANITIZE=ON -DQUORVAN_FUZZ=ON -DQUORVAN_BUILD_APP=OFF -DQUORVAN_BUILD_TESTS=OFF \
  -DQUORVAN_BUILD_BENCH=OFF
declare -A corpus=(
  [ClientFileFuzz]=client_file [ClientFileLinesFuzz]=client_file_lines [PriorYearFuzz]=prior_year [SettingsFuzz]=settings
  [ConversionsFuzz]=conversions [RtfMergeFuzz]=rtf_merge [StatementFuzz]=statement
)
targets=()
for target in "${!corpus[@]}"; do
  [ -f "tests/fuzz/$target.cpp" ] && targets+=("$target")
done
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}"

findings=build-fuzz/findings
mkdir -p "$findings"
failed=0
for target in "${!corpus[@]}"; do
  binary=build-fuzz/tests/fuzz/$target
  [ -x "$binary" ] || continue
  work=$(mktemp -d)
  cp -r "tests/fuzz/corpus/${corpus[$target]}/." "$work/" 2>/dev/null || true
  echo "== $target: ${seconds}s"
  # A fixed seed keeps a run repeatable on the same machine; the corpus carries earlier finds.
  if ! "$binary" -seed=1 -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$findings/$target-" -print_final_stats=1 "$work" 2>"$work.log"; then
    tail -n 40 "$work.log"
    failed=1
  else
    grep -E "stat::number_of_executed_units|Done" "$work.log" | tail -n 2 || true
  fi
  rm -rf "$work" "$work.log"
done
exit $failed
