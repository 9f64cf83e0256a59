#!/usr/bin/env bash
# Installs, builds and starts VLWinLog in the demo working folder demo/,
# which is made on the first run from the shipped roster and sample history.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ ! -d demo ]; then
  mkdir demo
  cp data/VLChapters.txt data/vlhistory.txt demo/
fi
cd demo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting VLWinLog on a virtual display (xvfb-run)." >&2
  exec xvfb-run -a ../build/vlwinlog
fi
exec ../build/vlwinlog
