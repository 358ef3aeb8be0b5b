# Helpers for tests of the real program in a real window. Each test runs its
# check function inside an X server of its own.
SCRIPT_ARGS=("$@")
WORK="$(mktemp -d)"
FAILED=""
ARTIFACTS="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/artifacts"
trap 'rm -rf "$WORK"' EXIT

fail() {
  echo "FAIL: $*" >&2
  FAILED=1
}

# Fails, keeps a screenshot under the given name, and stops the test at once.
die() {
  local name="$1"
  shift
  fail "$@"
  if [ -s "$WORK/out.txt" ]; then
    echo "--- program output ---" >&2
    cat "$WORK/out.txt" >&2
  fi
  screenshot "$name"
  exit 1
}

# Runs the command "$@" under a fresh Xvfb (large enough for the main and panel
# windows), re-running the test script there, and exits with 1 when anything failed.
run_in_xvfb() {
  if [ -z "${INSIDE_XVFB:-}" ]; then
    INSIDE_XVFB=1 exec xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1920x1200x24 -noreset" bash "$0" "${SCRIPT_ARGS[@]}"
  fi
  "$@"
  [ -z "$FAILED" ] || exit 1
  echo "passed"
}

# Prints the id of the first window whose title matches exactly, within 20 s.
wait_for_window() {
  local title="$1" id
  for _ in $(seq 1 200); do
    id=$(xdotool search --name "^${title}\$" 2>/dev/null | head -1)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

# Prints "x y width height" of a window, from xwininfo.
window_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                           /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}

# Keeps a screenshot of the whole screen for a failed test.
screenshot() {
  mkdir -p "$ARTIFACTS"
  import -window root "$ARTIFACTS/$1.png" && echo "screenshot kept: $ARTIFACTS/$1.png" >&2
}

# Prints the share of one core (as "12.34") that process $1 used over $2 seconds:
# its utime + stime from /proc, counted after the ")" that closes the command name.
cpu_percent() {
  local pid="$1" seconds="$2" before after
  ticks() { sed 's/^.*) //' "/proc/$pid/stat" | awk '{ print $12 + $13 }'; }
  before=$(ticks)
  sleep "$seconds"
  after=$(ticks)
  awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$seconds" \
    'BEGIN { printf "%.2f", t * 100.0 / hz / s }'
}

# Starts the panel demo ($binary) with the given arguments, its output in
# $WORK/out.txt, and waits until it reports its layout ("ready"). Sets DEMO_PID.
start_panel_demo() {
  "$binary" "$@" >"$WORK/out.txt" 2>&1 &
  DEMO_PID=$!
  trap 'kill $DEMO_PID 2>/dev/null; wait $DEMO_PID 2>/dev/null; rm -rf "$WORK"' EXIT
  for _ in $(seq 100); do
    grep -q '^ready$' "$WORK/out.txt" && return 0
    kill -0 "$DEMO_PID" 2>/dev/null || die panel_demo "the demo ended early"
    sleep 0.1
  done
  die panel_demo "the panels never reported their layout"
}
