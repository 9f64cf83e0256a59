#!/usr/bin/env bash
# Installs, builds and runs the VLWinLog test suite: the CTest suite, then
# each further check in scripts/test.d/ in name order (the short fuzz runs,
# the package check, the export read-back). With --all it also runs the steps
# marked "Runs with --all only." (the sanitizer builds and their runs).
set -euo pipefail
cd "$(dirname "$0")/.."
all=false
case "${1:-}" in
  "") ;;
  --all) all=true ;;
  *) echo "usage: bash scripts/test.sh [--all]" >&2; exit 2 ;;
esac
start=$SECONDS
bash scripts/install-deps.sh
bash scripts/build.sh
echo "== built in $((SECONDS - start)) s"
step_start=$SECONDS
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 -j"$(nproc)")
echo "== CTest: $((SECONDS - step_start)) s"
# The quick run fuzzes each harness for a few seconds, --all for longer.
if $all; then default_fuzz=10; else default_fuzz=4; fi
export VL_FUZZ_SECONDS=${VL_FUZZ_SECONDS:-$default_fuzz}
for step in scripts/test.d/*.sh; do
  [ -e "$step" ] || continue
  if ! $all && grep -qx '# Runs with --all only.' "$step"; then
    echo "== ${step##*/}: left for --all"
    continue
  fi
  echo "== ${step##*/}"
  step_start=$SECONDS
  bash "$step"
  echo "== ${step##*/}: $((SECONDS - step_start)) s"
done
echo "test.sh${1:+ $1}: passed in $((SECONDS - start)) s"
