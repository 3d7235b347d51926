#!/usr/bin/env bash
# Prints the tool's figures under Wine on Xvfb: the size of the release exe;
# GDI objects and private bytes over many paints and windowing actions, for
# the release (i686, under 32-bit Wine and qemu) and its twin; and, on the
# x86_64 twin only (emulation makes 32-bit CPU time say nothing about
# Windows), idle CPU, reaction to F5 and start-up against a bare reference
# exe, and the poller's tick cost. Usage: scripts/bench.sh [IDLE_SECONDS] (30)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/build.sh >/dev/null
bash scripts/i386-support.sh check

source scripts/wine-session.sh
wine_session_start "$root/build/wineprefix"
b="$root/build/x86_64"
run() { wine64 "$@" 2>/dev/null | tr -d '\r'; }
run32() { wine32 "$@" 2>/dev/null | tr -d '\r'; }

echo "release exe (i686): $(stat -c %s dist/win32/cfwindow.exe) bytes; twin (x86_64): $(stat -c %s dist/win64/cfwindow.exe) bytes"
run "$b/bench/poller_bench.exe"
if [ -z "${SKIP_STEADINESS:-}" ]; then
  echo "steadiness, release (i686):"
  run32 "$root/build/i686/bench/steadiness_bench.exe"
  echo "steadiness, twin (x86_64):"
  run "$b/bench/steadiness_bench.exe"
fi
run "$b/bench/bench_driver.exe" --tool="$b/cfwindow.exe" --reference="$b/bench/bench_reference.exe" \
    --game="$b/tests/stand_in_game.exe"

# Idle: both programs side by side, CPU time (user + system) read from
# /proc, where Wine's processes are ordinary Linux processes. GetProcessTimes
# reports nothing for another process under Wine.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
linux_pid() { pgrep -f -n "$1" || true; }
seconds=${1:-30}
wine64 "$b/cfwindow.exe" >/dev/null 2>&1 &
wine64 "$b/bench/bench_reference.exe" >/dev/null 2>&1 &
sleep 3
tool_pid=$(linux_pid 'x86_64/cfwindow.exe'); ref_pid=$(linux_pid 'bench_reference.exe')
server_pid=$(pgrep -f -n wineserver || true)
t0=$(cpu_ticks "$tool_pid"); r0=$(cpu_ticks "$ref_pid"); s0=$(cpu_ticks "$server_pid")
sleep "$seconds"
t1=$(cpu_ticks "$tool_pid"); r1=$(cpu_ticks "$ref_pid"); s1=$(cpu_ticks "$server_pid")
hz=$(getconf CLK_TCK)
awk -v t=$((t1 - t0)) -v r=$((r1 - r0)) -v s=$((s1 - s0)) -v hz="$hz" -v n="$seconds" 'BEGIN {
  printf "idle, %d s side by side: tool %.2f s CPU, reference %.2f s CPU, ratio %.2f (wineserver, serving both: %.2f s)\n",
         n, t / hz, r / hz, (r > 0 ? t / r : 0), s / hz }'
kill "$tool_pid" "$ref_pid" 2>/dev/null || true
