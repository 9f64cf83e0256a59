#!/usr/bin/env bash
# Configures and builds VLWinLog into build/ (the program is build/vlwinlog).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
