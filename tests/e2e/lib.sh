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
