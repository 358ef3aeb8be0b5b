#!/usr/bin/env bash
# The real program started from the repository root: exactly the start-up lines
# and the version line, nothing more while nobody acts, and the picture window
# and both panel windows at their places.
set -uo pipefail
binary="$1"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"

check() {
  cd "$here/../.." || return  # the repository root, so that ./Data is the start folder
  local out="$WORK/out.txt"
  "$binary" >"$out" 2>"$WORK/err.txt" &
  local pid=$!
  local main control movement
  main=$(wait_for_window "Zendral<no stereo>") || { fail "no main window"; kill $pid; return; }
  control=$(wait_for_window "Control Display") || fail "no Control Display window"
  movement=$(wait_for_window "Movement Controls") || fail "no Movement Controls window"

  local x y w h
  read -r x y w h < <(window_geometry "$main")
  [ "$x $y $w $h" = "50 50 800 600" ] || fail "main window at $x,$y size ${w}x$h"
  if [ -n "$control" ]; then
    read -r x y w h < <(window_geometry "$control")
    [ "$x $y" = "860 50" ] || fail "Control Display at $x,$y"
  fi
  if [ -n "$movement" ]; then
    read -r x y w h < <(window_geometry "$movement")
    [ "$x $y" = "50 650" ] || fail "Movement Controls at $x,$y"
  fi

  # Idle for a while: an idle viewer prints nothing more.
  sleep 3
  kill -0 $pid 2>/dev/null || fail "the program ended on its own"
  local expected=$'\npossible= 0\nStereo buffer off -- set to double buffer\nGLUI version: 2.01\n'
  local got
  got=$(cat "$out"; echo x)
  [ "${got%x}" = "$expected" ] || fail "start-up output was: $(od -c "$out" | head -8)"
  [ -z "$FAILED" ] || screenshot panel_windows
  kill $pid 2>/dev/null
  wait $pid 2>/dev/null
}

run_in_xvfb check
