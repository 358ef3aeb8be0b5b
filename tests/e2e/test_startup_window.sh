#!/usr/bin/env bash
# The real program under its own Xvfb: the first lines it prints, and one main
# window titled "Zendral<no stereo>", 800 by 600 at (50, 50).
set -uo pipefail
binary="$1"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"

check() {
  local out="$WORK/out.txt"
  "$binary" >"$out" 2>"$WORK/err.txt" &
  local pid=$!
  local win
  win=$(wait_for_window "Zendral<no stereo>") || { fail "no main window"; kill $pid; return; }
  local count
  count=$(xdotool search --name '^Zendral<no stereo>$' | wc -l)
  [ "$count" -eq 1 ] || fail "expected one main window, found $count"
  read -r x y w h < <(window_geometry "$win")
  [ "$x $y $w $h" = "50 50 800 600" ] || fail "main window at $x,$y size ${w}x$h"
  local expected=$'\npossible= 0\nStereo buffer off -- set to double buffer\n'
  local head
  head=$(head -c ${#expected} "$out"; echo x)
  [ "${head%x}" = "$expected" ] || fail "start-up output was: $(od -c "$out" | head -5)"
  [ -z "$FAILED" ] || screenshot startup_window
  kill $pid 2>/dev/null
  wait $pid 2>/dev/null
}

run_in_xvfb check
