#!/usr/bin/env bash
# Runs bench_keying_window on an idle machine and with two compilers keeping
# both cores busy, each with the keying thread in real time (where the system
# grants it) and at normal priority. Each phase starts with the machine's own
# floor: a bare thread waiting for deadlines as the keying thread does.
# Extra arguments go to the window passes.
set -euo pipefail
cd "$(dirname "$0")/.."
bench=build/bench/bench_keying_window
date -u +"%F %T UTC"
# Other work on the machine shows in the figures: note how busy it was.
cat /proc/loadavg
"$bench" --floor 30 --label "idle"
"$bench" --floor 30 --no-rt --label "idle"
"$bench" --label "idle, real-time allowed" "$@"
"$bench" --no-rt --label "idle, normal priority" "$@"

compile_forever() {
  while :; do
    echo '#include <bits/stdc++.h>' | nice -n 19 g++ -O2 -std=c++20 -x c++ -c - -o /dev/null
  done
}
compile_forever & first=$!
compile_forever & second=$!
trap 'kill "$first" "$second" 2>/dev/null; wait 2>/dev/null' EXIT
sleep 2
cat /proc/loadavg
"$bench" --floor 30 --label "two compilers"
"$bench" --floor 30 --no-rt --label "two compilers"
"$bench" --label "two compilers, real-time allowed" "$@"
"$bench" --no-rt --label "two compilers, normal priority" "$@"
