#!/usr/bin/env bash
# CPU share and memory of the whole program during a run on the emulated bench behind
# pseudo-terminals: starts vornlfrf-sim and the program (offscreen, run started by "+NRZ" on the
# demo configuration), samples /proc for SECONDS (default 60), prints the figures.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bin="${BIN:-$root/build/bin}"
seconds="${1:-60}"
work="$(mktemp -d)"
trap 'kill $sim $app 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$work/ports" "$work/home"
cp "$root/examples/demo.cfg" "$work/home/demo.cfg"
printf '%s' "$work/home/demo.cfg" > "$work/home/LastConfiguration.dat"
"$bin/vornlfrf-sim" --ports "$work/ports" --scenario "$root/examples/demo.scenario" >/dev/null &
sim=$!
for _ in $(seq 100); do [ -e "$work/ports/VCP1" ] && break; sleep 0.05; done
VORNLFRF_PORTS="$work/ports" VORNLFRF_HOME="$work/home" QT_QPA_PLATFORM=offscreen \
    "$bin/vornlfrf" "+NRZ" >/dev/null 2>&1 &
app=$!
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
sleep 5  # start-up, controller search and the 1.5 s settling
t0=$(ticks $app); s0=$(ticks $sim); rss0=$(awk '/VmRSS/{print $2}' "/proc/$app/status")
sleep "$seconds"
t1=$(ticks $app); s1=$(ticks $sim); rss1=$(awk '/VmRSS/{print $2}' "/proc/$app/status")
hwm=$(awk '/VmHWM/{print $2}' "/proc/$app/status")
rows=$(cat "$work"/home/*_demo/demo_Full#*.xml 2>/dev/null | grep -c '<ROW' || true)
echo "run seconds:            $seconds"
echo "program CPU share:      $(awk -v d=$((t1 - t0)) -v s="$seconds" -v hz="$hz" 'BEGIN{printf "%.2f%% of one core", 100*d/hz/s}')"
echo "emulator CPU share:     $(awk -v d=$((s1 - s0)) -v s="$seconds" -v hz="$hz" 'BEGIN{printf "%.2f%% of one core", 100*d/hz/s}')"
echo "program RSS start/end:  ${rss0} kB / ${rss1} kB (peak ${hwm} kB)"
echo "rows logged:            $rows"
