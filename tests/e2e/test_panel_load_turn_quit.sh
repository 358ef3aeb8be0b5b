#!/usr/bin/env bash
# The real program driven with real pointer clicks: choosing a file in "Files:"
# loads it and the picture shows the data, a key turns it, and "Quit" ends the
# program with exit status 0.
set -uo pipefail
binary="$1"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"
PANEL_LAYOUT_TOOL="$(cd "$(dirname "$binary")" && pwd)/zendral_panel_layout"
source "$here/panel_driver.sh"

# The picture window's contents as a PNG.
picture() {
  import -window root -crop 800x600+50+50 +repage "$1"
}

# Percentage of the picture's pixels that differ from the white background.
drawn_percent() {
  convert "$1" -fuzz 8% -fill black -opaque white -fill white +opaque black \
    -format '%[fx:100*mean]' info:
}

# Percentage of the picture's pixels that are clearly red (mono draws plain data
# in the colour map's red entry).
red_percent() {
  convert "$1" -fx 'r > 0.35 && r > 2 * g && r > 2 * b' -format '%[fx:100*mean]' info:
}

above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

check() {
  cd "$here/../.." || return  # the repository root: ./Data is the start folder
  [ -x "$PANEL_LAYOUT_TOOL" ] || { fail "no $PANEL_LAYOUT_TOOL"; return; }
  local out="$WORK/out.txt"
  "$binary" >"$out" 2>"$WORK/err.txt" &
  local pid=$!
  wait_for_window "Zendral<no stereo>" >/dev/null || { fail "no main window"; kill $pid; return; }
  wait_for_window "Control Display" >/dev/null || { fail "no panel"; kill $pid; return; }
  sleep 1
  panel_layout

  picture "$WORK/empty.png"
  local before
  before=$(drawn_percent "$WORK/empty.png")
  above 0.5 "$before" || fail "the picture shows something before any file: $before %"

  choose_item "Control Display" "Files:" "wave_surface.dat" || fail "could not choose the file"
  local item
  item=$(awk -F'\t' '$1 == "item" && $3 == "Files:" && $5 == "wave_surface.dat" { print $4 }' \
    "$PANEL_LAYOUT_FILE")
  local expected=$'\npossible= 0\nStereo buffer off -- set to double buffer\nGLUI version: 2.01\n'
  expected+="list=$item"$'\n\nfilename = wave_surface.dat\nwidth = 30 points per set = 30\n'
  local got
  got=$(cat "$out"; echo x)
  [ "${got%x}" = "$expected" ] || fail "after choosing the file the output was: $(od -c "$out" | tail -12)"

  sleep 1
  picture "$WORK/loaded.png"
  local drawn red
  drawn=$(drawn_percent "$WORK/loaded.png")
  red=$(red_percent "$WORK/loaded.png")
  echo "loaded: $drawn % of the picture drawn, $red % red"
  above "$drawn" 3 || fail "the loaded surface covers only $drawn % of the picture"
  above "$red" 1 || fail "the loaded surface shows only $red % red pixels"

  # Turning about y with the key, the pointer in the picture window.
  xdotool mousemove 450 350
  sleep 0.3
  xdotool key --delay 30 --repeat 30 Y
  sleep 1
  picture "$WORK/turned.png"
  local changed
  changed=$(compare -metric AE -fuzz 5% "$WORK/loaded.png" "$WORK/turned.png" null: 2>&1)
  echo "turned: $changed pixels changed"
  above "${changed%% *}" 2000 || fail "the key changed only ${changed} pixels"
  above "$(drawn_percent "$WORK/turned.png")" 3 || fail "the turned surface left the picture"

  [ -z "$FAILED" ] || { screenshot panel_load_turn; cp "$WORK"/*.png "$ARTIFACTS"/ 2>/dev/null; }

  click_control "Control Display" "Quit" || fail "could not click Quit"
  local i
  for i in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
  if kill -0 $pid 2>/dev/null; then
    fail "the program still runs after Quit"
    screenshot panel_quit
    kill $pid
  fi
  wait $pid
  local status=$?
  [ "$status" -eq 0 ] || fail "Quit ended the program with status $status"
}

run_in_xvfb check
