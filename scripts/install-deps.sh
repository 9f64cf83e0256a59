#!/usr/bin/env bash
# Installs what VLWinLog needs to build and test on Debian 12 (run as root).
# The packages are listed one a line in scripts/packages/*.txt.
set -euo pipefail
cd "$(dirname "$0")"
mapfile -t packages < <(cat packages/*.txt | sed 's/#.*//' | tr -s ' \t' '\n' | grep -v '^$')
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}" </dev/null
fi
