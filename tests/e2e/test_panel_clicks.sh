#!/usr/bin/env bash
# Clicks a checkbox and radio buttons of the panel demo with xdotool in a fresh
# Xvfb, and checks that the bound variables changed and each callback ran with its
# control's id. Usage: test_panel_clicks.sh <path of panel_demo>
# On failure a screenshot is kept in tests/e2e/artifacts/.
set -uo pipefail
binary="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"

check() {
  start_panel_demo
  grep -q '^error' "$WORK/out.txt" && die panel_clicks_failure "the demo reported an error"

  window="$(xdotool search --name '^Demo Panel$' | head -n 1)"
  [ -n "$window" ] || die panel_clicks_failure "no window titled Demo Panel"

  click() {  # click <label>: a left click on the control's centre
    local x y
    read -r x y < <(awk -v l="$1" '$1 == "where" && $2 == l { print $3, $4 }' "$WORK/out.txt")
    [ -n "$x" ] || die panel_clicks_failure "no position for $1"
    xdotool mousemove --window "$window" "$x" "$y" click 1
  }

  expect() {  # expect <line>: waits up to 5 s for that exact line in the output
    for _ in $(seq 50); do
      grep -qxF "$1" "$WORK/out.txt" && return 0
      sleep 0.1
    done
    die panel_clicks_failure "expected the line: $1"
  }

  click Ticked
  expect "callback id=11 ticked=1 choice=0 amount=0.500"
  expect "ticked=1"
  click Third
  expect "callback id=12 ticked=1 choice=2 amount=0.500"
  expect "choice=2"
  click Second
  expect "callback id=12 ticked=1 choice=1 amount=0.500"
  click Ticked
  expect "callback id=11 ticked=0 choice=1 amount=0.500"
  click Press
  expect "callback id=14 ticked=0 choice=1 amount=0.500"

  # A number typed into the spinner (double-click, type, Enter) counts once, clamped
  # to the spinner's limits.
  read -r x y < <(awk '$1 == "where" && $2 == "Amount:" { print $3, $4 }' "$WORK/out.txt")
  xdotool mousemove --window "$window" "$x" "$y" click --repeat 2 --delay 60 1
  sleep 0.3
  xdotool type --delay 40 "2.5"
  xdotool key Return
  expect "callback id=13 ticked=0 choice=1 amount=1.000"

  # Every click and every finished edit gave exactly one callback.
  callbacks="$(grep -c '^callback' "$WORK/out.txt")"
  [ "$callbacks" -eq 6 ] || die panel_clicks_failure "expected 6 callbacks, got $callbacks"
  echo "PASS: clicks and typing reached the panel's variables and callbacks"
}

run_in_xvfb check
