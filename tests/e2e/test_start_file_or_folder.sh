#!/usr/bin/env bash
# The real program started with a file loads it with the format it guessed (its
# name in the picture, the format chosen in "Data Format"); started with a folder
# it lists that folder, whatever folder it started in.
set -uo pipefail
binary="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"  # the test runs elsewhere
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
source "$here/lib.sh"
PANEL_LAYOUT_TOOL="$(cd "$(dirname "$binary")" && pwd)/zendral_panel_layout"
source "$here/panel_driver.sh"

# Prints the colour of one pixel of the screen as "r,g,b".
pixel() { convert "$1" -crop "1x1+$2+$3" -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info:; }

# The screen pixel at the middle of a radio button's circle in "Data Format".
radio_centre() {
  local x y w h ox oy
  read -r x y w h <<<"$(control_rect "Control Display" "$2" "Data Format")"
  read -r ox oy < <(panel_window_origin "Control Display")
  pixel "$1" $((ox + x + h / 2)) $((oy + y + h / 2))
}

check() {
  mkdir -p "$WORK/elsewhere" && cd "$WORK/elsewhere" || return
  local index
  index=$(ls "$root/Data" | LC_ALL=C sort | grep -nx "hill_scans.csv" | cut -d: -f1)
  "$binary" "$root/Data/hill_scans.csv" >"$WORK/out.txt" 2>"$WORK/err.txt" &
  local pid=$!
  wait_for_window "Control Display" >/dev/null || { fail "no panel"; kill $pid; return; }
  sleep 1.5
  local expected=$'\npossible= 0\nStereo buffer off -- set to double buffer\nGLUI version: 2.01\n'
  expected+="list=$index"$'\n\nfilename = hill_scans.csv\nwidth = 15 points per set = 30\n'
  expected+=$'hill_scans.csv: sets of 16 to 30 points; shorter sets repeat their last point\n'
  local got
  got=$(cat "$WORK/out.txt"; echo x)
  [ "${got%x}" = "$expected" ] || fail "started with the file, the output was: $(cat "$WORK/out.txt")"

  import -window root "$WORK/screen.png"
  convert "$WORK/screen.png" -crop 800x600+50+50 +repage "$WORK/picture.png"
  local drawn black
  drawn=$(convert "$WORK/picture.png" -fx 'r < 0.9 || g < 0.9 || b < 0.9' -format '%[fx:100*mean]' info:)
  # The name is written in black at 10 % in from the lower left corner.
  black=$(convert "$WORK/picture.png" -crop 220x30+75+515 +repage \
    -fx 'r < 0.25 && g < 0.25 && b < 0.25' -format '%[fx:int(w*h*mean)]' info:)
  echo "started with the file: $drawn % drawn, $black black pixels where the name stands"
  awk -v d="$drawn" 'BEGIN { exit !(d > 1) }' || fail "the table covers only $drawn % of the picture"
  [ "$black" -gt 150 ] || fail "no name in the picture ($black black pixels)"

  (cd "$root" && panel_layout)
  local columns maple data
  columns=$(radio_centre "$WORK/screen.png" "Columns")
  maple=$(radio_centre "$WORK/screen.png" "Maple")
  data=$(radio_centre "$WORK/screen.png" "Data ")
  [ "$columns" != "$maple" ] && [ "$data" = "$maple" ] ||
    fail "\"Columns\" is not the format chosen: centres $data (Data), $maple (Maple), $columns (Columns)"
  [ -z "$FAILED" ] || { screenshot start_with_file; cp "$WORK/screen.png" "$ARTIFACTS/start_with_file_screen.png"; }
  kill $pid
  wait $pid 2>/dev/null

  # A folder: listed at start, so its files can be chosen at once.
  "$binary" "$root/Data" >"$WORK/out.txt" 2>"$WORK/err.txt" &
  pid=$!
  wait_for_window "Control Display" >/dev/null || { fail "no panel"; kill $pid; return; }
  sleep 1
  choose_item "Control Display" "Files:" "wave_surface.dat" || fail "no place for wave_surface.dat"
  sleep 0.5
  grep -qx "filename = wave_surface.dat" "$WORK/out.txt" ||
    fail "started with the folder, choosing a file gave: $(cat "$WORK/out.txt")"
  [ -z "$FAILED" ] || screenshot start_with_folder
  kill $pid
  wait $pid 2>/dev/null
}

run_in_xvfb check
