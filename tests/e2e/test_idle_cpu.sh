#!/usr/bin/env bash
# An idle viewer stays off the processor: over 5 seconds without input, the real
# program uses at most 5 % of one core.
set -uo pipefail
binary="$1"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"

check() {
  "$binary" >"$WORK/out.txt" 2>&1 &
  local pid=$!
  wait_for_window "Zendral<no stereo>" >/dev/null || { fail "no main window"; kill $pid; return; }
  sleep 2  # let start-up settle
  local percent
  percent=$(cpu_percent $pid 5)
  echo "idle viewer: ${percent} % of one core over 5 s"
  awk -v p="$percent" 'BEGIN {exit !(p <= 5.0)}' || fail "idle viewer used ${percent} % of one core"
  kill $pid 2>/dev/null
  wait $pid 2>/dev/null
}

run_in_xvfb check
