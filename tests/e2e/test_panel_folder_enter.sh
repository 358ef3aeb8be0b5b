#!/usr/bin/env bash
# Enter in "Folder:" lists the folder again though its text is unchanged: a file
# added after start-up appears in "Files:" and loads when chosen.
set -uo pipefail
binary="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"  # the test runs elsewhere
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"
PANEL_LAYOUT_TOOL="$(cd "$(dirname "$binary")" && pwd)/zendral_panel_layout"
source "$here/panel_driver.sh"

check() {
  mkdir -p "$WORK/start/Data" && cd "$WORK/start" || return
  printf '1 2\n0 0 0\n1 1 1\n' >Data/first.dat
  "$binary" >"$WORK/out.txt" 2>/dev/null &
  local pid=$!
  wait_for_window "Control Display" >/dev/null || { fail "no panel"; kill $pid; return; }
  sleep 1
  cp Data/first.dat Data/second.dat
  panel_layout  # where the controls stand once the list holds the new file
  click_control "Control Display" "Folder:" || fail "could not click \"Folder:\""
  xdotool key Return
  sleep 0.5
  choose_item "Control Display" "Files:" "second.dat" || fail "no place for the new file"
  sleep 0.5
  grep -qx "filename = second.dat" "$WORK/out.txt" ||
    fail "the new file was not listed: $(cat "$WORK/out.txt")"
  [ -z "$FAILED" ] || screenshot folder_enter
  kill $pid
  wait $pid 2>/dev/null
}

run_in_xvfb check
