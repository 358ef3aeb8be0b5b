#!/usr/bin/env bash
# An idle program with two panel windows open (the panel demo with --idle, whose
# idle function sleeps like the viewer's) may use at most 5 % of one core over
# 5 seconds, measured from /proc/<pid>/stat. Usage: test_panel_idle_cpu.sh <panel_demo>
set -uo pipefail
binary="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"
limit_percent=5

check() {
  start_panel_demo --idle
  sleep 1  # let start-up work finish
  local percent
  percent=$(cpu_percent "$DEMO_PID" 5)
  echo "idle CPU: ${percent} % of one core over 5 s"
  awk -v p="$percent" -v l="$limit_percent" 'BEGIN { exit !(p <= l) }' ||
    die panel_idle_cpu_failure "idle CPU ${percent} % is above ${limit_percent} %"
}

run_in_xvfb check
