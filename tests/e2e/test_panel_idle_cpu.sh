#!/usr/bin/env bash
# An idle program with two panel windows open (the panel demo with --idle, whose
# idle function sleeps like the viewer's) may use at most 5 % of one core over
# 5 seconds, measured from /proc/<pid>/stat. Usage: test_panel_idle_cpu.sh <panel_demo>
set -euo pipefail
demo="$(realpath "$1")"
root="$(cd "$(dirname "$0")/../.." && pwd)"
limit_percent=5
seconds=5

if [ -z "${PANEL_E2E_XVFB:-}" ]; then
  exec env PANEL_E2E_XVFB=1 xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1920x1200x24 -noreset" bash "$0" "$@"
fi

out="$(mktemp)"
"$demo" --idle >"$out" 2>&1 &
pid=$!
cleanup() { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; rm -f "$out"; }
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  cat "$out"
  mkdir -p "$root/tests/e2e/artifacts"
  import -window root "$root/tests/e2e/artifacts/panel_idle_cpu_failure.png" 2>/dev/null || true
  exit 1
}

for _ in $(seq 100); do
  grep -q '^ready$' "$out" && break
  kill -0 "$pid" 2>/dev/null || fail "the demo ended early"
  sleep 0.1
done
grep -q '^ready$' "$out" || fail "the panels never reported their layout"
sleep 1  # let start-up work finish

# utime + stime, in clock ticks: fields 14 and 15, counted after the ")" that
# closes the command name.
cpu_ticks() { sed 's/^.*) //' "/proc/$pid/stat" | awk '{ print $12 + $13 }'; }
start="$(cpu_ticks)"
sleep "$seconds"
end="$(cpu_ticks)"
hz="$(getconf CLK_TCK)"
percent="$(awk -v a="$start" -v b="$end" -v hz="$hz" -v s="$seconds" \
  'BEGIN { printf "%.2f", (b - a) * 100.0 / hz / s }')"
echo "idle CPU: ${percent} % of one core over ${seconds} s"
awk -v p="$percent" -v l="$limit_percent" 'BEGIN { exit !(p <= l) }' ||
  fail "idle CPU ${percent} % is above ${limit_percent} %"
echo "PASS"
