#!/usr/bin/env bash
# A private system bus with polkit and RealtimeKit, as a desktop has them, for
# the keying tests and benchmarks run as an ordinary user. Run as root.
#
#   realtimekit-bus.sh start DIR USER [RR|FIFO]
#       starts dbus-daemon (socket DIR/system_bus_socket: DIR's parents must let
#       every user through), polkitd with a rule
#       granting USER the RealtimeKit actions, and rtkit-daemon (granting
#       SCHED_RR, its default, or SCHED_FIFO); prints the bus address.
#   realtimekit-bus.sh stop DIR
#       ends them and removes the rule and DIR.
set -euo pipefail
command=${1:?start or stop}
dir=${2:?folder}
# One rule for each bus, named after its folder, so that buses can run side by side.
rule_of() { echo "/etc/polkit-1/rules.d/49-vlwinlog-realtimekit-$(realpath -m "$1" | md5sum | cut -c1-16).rules"; }

stop() {
  for pidfile in "$dir"/*.pid; do
    [ -e "$pidfile" ] || continue
    kill "$(cat "$pidfile")" 2>/dev/null || true
  done
  rm -f "$(rule_of "$dir")"
  rm -rf "$dir"
}

if [ "$command" = stop ]; then
  stop
  exit 0
fi
user=${3:?user}
policy=${4:-RR}
[ "$(id -u)" = 0 ] || { echo "realtimekit-bus.sh: needs root" >&2; exit 1; }
for program in dbus-daemon /usr/lib/polkit-1/polkitd /usr/libexec/rtkit-daemon; do
  command -v "$program" >/dev/null || { echo "realtimekit-bus.sh: $program is not installed" >&2; exit 1; }
done
trap 'stop' ERR
mkdir -p "$dir"
chmod 755 "$dir"
socket="$dir/system_bus_socket"
cat >"$dir/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$socket</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*"/>
    <allow receive_sender="*"/>
  </policy>
</busconfig>
CONF
dbus-daemon --config-file="$dir/bus.conf" --fork --print-pid=3 3>"$dir/dbus.pid" >/dev/null
address="unix:path=$socket"
for _ in $(seq 50); do [ -S "$socket" ] && break; sleep 0.1; done

cat >"$(rule_of "$dir")" <<RULE
// Written by VLWinLog's realtimekit-bus.sh for a test; removed when it ends.
polkit.addRule(function (action, subject) {
    if (action.id.indexOf("org.freedesktop.RealtimeKit1.") === 0 && subject.user === "$user")
        return polkit.Result.YES;
});
RULE
DBUS_SYSTEM_BUS_ADDRESS=$address /usr/lib/polkit-1/polkitd --no-debug >"$dir/polkitd.log" 2>&1 &
echo $! >"$dir/polkitd.pid"
# Without its own resource limits, which allow one daemon at a time.
DBUS_SYSTEM_BUS_ADDRESS=$address /usr/libexec/rtkit-daemon --stderr --scheduling-policy="$policy" \
  --no-limit-resources >"$dir/rtkit.log" 2>&1 &
echo $! >"$dir/rtkit.pid"
# Ready when both names are on the bus.
for _ in $(seq 100); do
  names=$(DBUS_SYSTEM_BUS_ADDRESS=$address dbus-send --system --print-reply --dest=org.freedesktop.DBus \
            /org/freedesktop/DBus org.freedesktop.DBus.ListNames 2>/dev/null || true)
  if grep -q org.freedesktop.PolicyKit1 <<<"$names" && grep -q org.freedesktop.RealtimeKit1 <<<"$names"; then
    echo "$address"
    exit 0
  fi
  sleep 0.1
done
echo "realtimekit-bus.sh: polkitd or rtkit-daemon did not come up:" >&2
cat "$dir/polkitd.log" "$dir/rtkit.log" >&2
stop
exit 1
