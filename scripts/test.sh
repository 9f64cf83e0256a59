#!/usr/bin/env bash
# Installs, builds and runs the whole VLWinLog test suite: the CTest suite,
# then each further check in scripts/test.d/ in name order.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300)
for step in scripts/test.d/*.sh; do
  [ -e "$step" ] || continue
  echo "== ${step##*/}"
  bash "$step"
done
