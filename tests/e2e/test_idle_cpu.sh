#!/usr/bin/env bash
# An idle viewer stays off the processor: over 5 seconds without input, the real
# program uses at most 5 % of one core.
set -uo pipefail
binary="$1"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"

# utime + stime of a process, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

check() {
  "$binary" >"$WORK/out.txt" 2>&1 &
  local pid=$!
  wait_for_window "Zendral<no stereo>" >/dev/null || { fail "no main window"; kill $pid; return; }
  sleep 2  # let start-up settle
  local hz before after
  hz=$(getconf CLK_TCK)
  before=$(cpu_ticks $pid)
  sleep 5
  after=$(cpu_ticks $pid)
  local percent
  percent=$(awk -v t=$((after - before)) -v hz="$hz" 'BEGIN {printf "%.1f", t * 100 / (5 * hz)}')
  echo "idle viewer: $((after - before)) ticks in 5 s at $hz ticks/s (${percent} % of one core)"
  awk -v p="$percent" 'BEGIN {exit !(p <= 5.0)}' || fail "idle viewer used ${percent} % of one core"
  kill $pid 2>/dev/null
  wait $pid 2>/dev/null
}

run_in_xvfb check
