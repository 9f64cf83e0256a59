#!/usr/bin/env bash
# Runs bench_keying_window on an idle machine and with two compilers keeping
# both cores busy, each with the keying thread in real time (where the system
# grants it) and at normal priority. Each phase starts with the machine's own
# floor: a bare thread waiting for deadlines as the keying thread does.
# Run as root, it also runs them as an ordinary user (nobody, no `rtprio`
# limit) whose keying thread gets real time from RealtimeKit on a private
# system bus (scripts/realtimekit-bus.sh), as an operator at a desktop does;
# run as an ordinary user, the "real-time allowed" runs are those.
# Extra arguments go to the window passes.
set -euo pipefail
cd "$(dirname "$0")/.."
bench=build/bench/bench_keying_window
date -u +"%F %T UTC"

as_operator() { :; }
if [ "$(id -u)" = 0 ]; then
  bus_dir=$(mktemp -d)
  bus=$(bash scripts/realtimekit-bus.sh start "$bus_dir" nobody)
  trap 'bash scripts/realtimekit-bus.sh stop "$bus_dir"' EXIT
  as_operator() {
    local label=$1
    shift
    (ulimit -r 0
     DBUS_SYSTEM_BUS_ADDRESS=$bus setpriv --reuid=nobody --regid=nogroup --clear-groups \
       "$bench" --label "$label, ordinary user with RealtimeKit" "$@")
  }
fi
# Other work on the machine shows in the figures: note how busy it was.
cat /proc/loadavg
"$bench" --floor 30 --label "idle"
"$bench" --floor 30 --no-rt --label "idle"
"$bench" --label "idle, real-time allowed" "$@"
"$bench" --no-rt --label "idle, normal priority" "$@"
as_operator "idle" --floor 30
as_operator "idle" "$@"

compile_forever() {
  while :; do
    echo '#include <bits/stdc++.h>' | nice -n 19 g++ -O2 -std=c++20 -x c++ -c - -o /dev/null
  done
}
compile_forever & first=$!
compile_forever & second=$!
trap 'kill "$first" "$second" 2>/dev/null; wait 2>/dev/null; [ -z "${bus_dir:-}" ] || bash scripts/realtimekit-bus.sh stop "$bus_dir"' EXIT
sleep 2
cat /proc/loadavg
"$bench" --floor 30 --label "two compilers"
"$bench" --floor 30 --no-rt --label "two compilers"
"$bench" --label "two compilers, real-time allowed" "$@"
"$bench" --no-rt --label "two compilers, normal priority" "$@"
as_operator "two compilers" --floor 30
as_operator "two compilers" "$@"
