#!/usr/bin/env bash
# Builds the libFuzzer harnesses of tests/fuzz/ with clang in build-fuzz/ and
# runs each from its seeds for a short fixed time (VL_FUZZ_SECONDS, 10 s by
# default), or for a fixed number of executions each when VL_FUZZ_RUNS is set
# (VL_FUZZ_RUNS=10000000 for a long run), as many at a time as there are
# processors. A crash, a failed check, a leak, an input that takes over a
# second or a run past 2 GB fails the step; the input that did it is left in
# build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/../.."
if ! command -v clang++ >/dev/null 2>&1; then
  echo "clang++ not found: the fuzz harnesses are not run"
  exit 0
fi
seconds=${VL_FUZZ_SECONDS:-10}
limit=(-max_total_time="$seconds")
if [ -n "${VL_FUZZ_RUNS:-}" ]; then
  limit=(-runs="$VL_FUZZ_RUNS")
fi
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
names=()
for source in tests/fuzz/fuzz_*.cpp; do
  names+=("$(basename "$source" .cpp)")
done
# Optimised as for fuzzing, with line tables for the reports' stacks.
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" \
  -DVL_BUILD_FUZZ=ON "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${names[@]}"

findings=build-fuzz/findings
rm -rf "$findings"
mkdir -p "$findings"

# One harness: its summary line goes to $findings/NAME.result.
fuzz() {
  local name=$1
  # The seeds are copied, so that what the run learns stays out of the tree.
  local work=build-fuzz/corpus/$name log=$findings/$name.log
  mkdir -p "$work"
  cp -n tests/fuzz/corpus/"$name"/* "$work"/ 2>/dev/null || true
  if build-fuzz/tests/fuzz/"$name" "${limit[@]}" -timeout=1 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$findings/$name-" "$work" >"$log" 2>&1; then
    echo "$name: $(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | grep . || echo '?') runs, clean"
  else
    echo "$name: FAILED"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|check failed|.*runtime error)' "$log" | head -5 || true
  fi >"$findings/$name.result"
}
for name in "${names[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do wait -n || true; done
  fuzz "$name" &
done
wait

failed=()
for name in "${names[@]}"; do
  cat "$findings/$name.result"
  if grep -q "^$name: FAILED" "$findings/$name.result"; then failed+=("$name"); fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz harnesses that failed: ${failed[*]} (logs and inputs in $findings/)"
  exit 1
fi
