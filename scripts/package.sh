#!/usr/bin/env bash
# Builds VLWinLog and packs it as a Debian package: build/vlwinlog_<version>_<arch>.deb,
# to install with `apt install ./build/vlwinlog_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd build
rm -f vlwinlog_*.deb
cpack -G DEB >/dev/null
ls "$PWD"/vlwinlog_*.deb
