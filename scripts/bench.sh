#!/usr/bin/env bash
# Runs every benchmark of a build folder, prints each figure beside its budget, and fails when a
# figure misses its budget by more than MARGIN times (default 3: lenient, as shared machines are
# noisy). Usage: scripts/bench.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
margin=${MARGIN:-3}
results=$(mktemp)
trap 'rm -f "$results"' EXIT

for binary in "$build"/bench/*Bench; do
  [ -x "$binary" ] || continue
  "$binary" --benchmark_format=csv --benchmark_min_time=0.2 2>/dev/null | grep '^"BM_' >>"$results" || true
done

awk -F, -v margin="$margin" '
  function to_us(value, unit) {
    if (unit == "ns") return value / 1000
    if (unit == "ms") return value * 1000
    if (unit == "s") return value * 1000000
    return value
  }
  FNR == NR {
    if ($0 ~ /^#/ || NF == 0) next
    split($0, f, " ")
    budget[f[1]] = to_us(f[2], f[3]); shown[f[1]] = f[2] " " f[3]
    next
  }
  {
    name = $1; gsub(/"/, "", name)
    # A benchmark measured by the clock (a whole process) is judged by its real time.
    cpu = name ~ /\/real_time$/ ? to_us($3, $5) : to_us($4, $5)
    if (name in budget) {
      verdict = cpu <= budget[name] ? "within budget" : (cpu <= budget[name] * margin ? "over budget (within margin)" : "FAILED")
      printf "%-34s %12.1f us  budget %s  %s\n", name, cpu, shown[name], verdict
      if (verdict == "FAILED") failed = 1
    } else {
      printf "%-34s %12.1f us  (no budget)\n", name, cpu
    }
  }
  END { exit failed }
' <(sed 's/#.*//' bench/budgets.txt | awk 'NF') "$results"
