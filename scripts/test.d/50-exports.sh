#!/usr/bin/env bash
# Reads the program's ADIF exports back with two published ADIF readers from
# the npm registry, adif-parser-ts and tcadif (tests/exports/reader), and
# checks every field.
set -euo pipefail
cd "$(dirname "$0")/../.."
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
  # Debian's nodejs comes without npm; a nodejs that brings its own npm is kept.
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq nodejs npm </dev/null
fi
cd tests/exports/reader
npm ci --no-audit --no-fund --loglevel=error
VLWINLOG="$(pwd)/../../../build/vlwinlog" npm test
