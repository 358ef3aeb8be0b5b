#!/usr/bin/env bash
# Pictures in files: --save with no display at all writes a PNG of the asked
# size with the model in it (a side-by-side one holds it in each half); a bad
# option or a refused file says so and writes nothing; in a window, the key w and
# "Save picture" write the frame as shown, which equals the picture drawn
# without a display but for the pixels of the text.
set -uo pipefail
binary="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"  # the test runs elsewhere
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
source "$here/lib.sh"
PANEL_LAYOUT_TOOL="$(cd "$(dirname "$binary")" && pwd)/zendral_panel_layout"
source "$here/panel_driver.sh"

wave="$root/Data/wave_surface.dat"

# Percentage of the pixels of $1 (optionally cropped to $2) that are not white.
drawn_percent() {
  convert "$1" ${2:+-crop "$2" +repage} -fx 'r < 0.9 || g < 0.9 || b < 0.9' -format '%[fx:100*mean]' info:
}
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

without_display() {
  env -u DISPLAY "$binary" --save mono.png --size 640x480 --mode filled "$wave" >out.txt 2>err.txt ||
    fail "--save ended with $?: $(cat err.txt)"
  grep -qx "Saved $PWD/mono.png" out.txt || fail "--save said: $(cat out.txt)"
  [ "$(identify -format '%w %h' mono.png 2>&1)" = "640 480" ] || fail "mono.png: $(identify mono.png 2>&1)"
  above "$(drawn_percent mono.png)" 5 || fail "mono.png holds no model"

  env -u DISPLAY "$binary" --save pair.png --size 1000x400 --stereo side-by-side "$wave" >/dev/null 2>&1 ||
    fail "--save side by side ended with $?"
  local left right
  left=$(drawn_percent pair.png 500x400+0+0)
  right=$(drawn_percent pair.png 500x400+500+0)
  echo "side by side: $left % of the left half drawn, $right % of the right"
  above "$left" 5 && above "$right" 5 || fail "a half of pair.png holds no model"
  # Each half holds the model once: both halves show nearly the same picture.
  convert pair.png -crop 500x400+0+0 +repage left.png
  convert pair.png -crop 500x400+500+0 +repage right.png
  local apart
  apart=$(compare -metric AE -fuzz 10% left.png right.png null: 2>&1)
  echo "side by side: the halves differ in $apart pixels"
  above $((500 * 400 / 20)) "${apart%% *}" || fail "the halves differ in $apart pixels"

  "$binary" --stereo 3d "$wave" >out.txt 2>err.txt  # before any window, so no display needed
  [ $? -eq 2 ] && [ "$(wc -l <err.txt)" -eq 1 ] || fail "a bad option said: $(cat err.txt out.txt)"
  env -u DISPLAY "$binary" --save bad.png --format maple "$wave" >out.txt 2>err.txt
  local status=$?
  [ "$status" -eq 1 ] && grep -q "^zendral: wave_surface.dat not loaded: " err.txt ||
    fail "a refused file: status $status, said $(cat err.txt)"
  [ ! -e bad.png ] || fail "a picture was written for a refused file"
}

in_a_window() {
  "$binary" --mode filled --stereo red-cyan "$wave" >out.txt 2>err.txt &
  local pid=$!
  local win
  win=$(wait_for_window "Zendral<no stereo>") || { fail "no main window"; kill $pid; return; }
  wait_for_window "Control Display" >/dev/null || { fail "no panel"; kill $pid; return; }
  sleep 1.5
  xdotool mousemove 450 350 key --window "$win" w
  sleep 1
  panel_layout
  click_control "Control Display" "Save picture" || fail "could not click \"Save picture\""
  sleep 1
  kill $pid
  wait $pid 2>/dev/null
  grep -qx "Saved $PWD/wave_surface.dat-1.png" out.txt && grep -qx "Saved $PWD/wave_surface.dat-2.png" out.txt ||
    fail "the window saved: $(grep Saved out.txt)"

  env -u DISPLAY "$binary" --save alone.png --mode filled --stereo red-cyan "$wave" >/dev/null 2>&1
  # Only the text differs: the file name and the status line, in the lowest rows.
  local saved box
  for saved in wave_surface.dat-1.png wave_surface.dat-2.png; do
    box=$(convert "$saved" alone.png -compose difference -composite -threshold 0 -format '%@' info: 2>&1)
    echo "$saved against the picture without a window: differences within $box"
    read -r w h x y <<<"$(echo "$box" | tr 'x+' '  ')"
    [ "$w" -le 1 ] || { [ "$x" -ge 60 ] && [ "$y" -ge 500 ]; } ||
      fail "$saved differs from the picture without a window outside the text: $box"
  done
  [ -z "$FAILED" ] || cp ./*.png "$ARTIFACTS/" 2>/dev/null
}

# A table through a pipe, pictures of every kind, and the exit statuses: 0 saved,
# 1 nothing to save (a file of no points), 2 a name of no picture kind; --quiet
# leaves standard output empty, and a refusal is said once on standard error.
kinds_and_statuses() {
  printf 'x,y,z\n0,0,0\n1,2,1\n\n0,1,1\n1,3,2\n' |
    env -u DISPLAY "$binary" --quiet --format columns --save piped.png --mode filled - >out.txt 2>err.txt
  [ $? -eq 0 ] && [ ! -s out.txt ] && [ "$(identify -format %m piped.png 2>&1)" = PNG ] ||
    fail "a pipe: $(cat out.txt err.txt)"
  local kind
  for kind in jpg:JPEG jpeg:JPEG ppm:PPM; do
    env -u DISPLAY "$binary" --quiet --save "picture.${kind%%:*}" "$wave" ||
      fail "--save picture.${kind%%:*} ended with $?"
    [ "$(identify -format %m "picture.${kind%%:*}" 2>&1)" = "${kind##*:}" ] ||
      fail "picture.${kind%%:*} is $(identify picture.${kind%%:*} 2>&1)"
  done
  printf 'x,y,z\n' >empty.csv
  env -u DISPLAY "$binary" --quiet --save empty.png empty.csv >out.txt 2>err.txt
  local status=$?
  [ "$status" -eq 1 ] && [ "$(cat err.txt)" = "zendral: empty.csv holds no points" ] && [ ! -e empty.png ] ||
    fail "no points: status $status, said $(cat err.txt)"
  "$binary" --save picture.gif "$wave" >out.txt 2>err.txt
  status=$?
  [ "$status" -eq 2 ] && [ "$(wc -l <err.txt)" -eq 1 ] || fail "a .gif: status $status, said $(cat err.txt)"
}

# The composed stereo forms drawn in a window (whose rows GL counts from the
# bottom) are the pictures drawn without one (counted from the top), but for
# the text: rows interlaced on the same rows, squeezed halves in the same places.
composed_in_a_window() {
  local form win differing
  for form in row-interlaced top-bottom-squeezed; do
    rm -f wave_surface.dat-1.png
    "$binary" --mode filled --stereo "$form" --eye-separation 20 "$wave" >out.txt 2>err.txt &
    local pid=$!
    win=$(wait_for_window "Zendral<no stereo>") || { fail "no main window for $form"; kill $pid; return; }
    sleep 1.5
    xdotool mousemove 450 350 key --window "$win" w
    sleep 1
    kill $pid
    wait $pid 2>/dev/null
    env -u DISPLAY "$binary" --save "alone-$form.png" --mode filled --stereo "$form" --eye-separation 20 "$wave" >/dev/null 2>&1
    differing=$(compare -metric AE -fuzz 3% wave_surface.dat-1.png "alone-$form.png" null: 2>&1)
    echo "$form: the window's picture and the one without differ in $differing pixels"
    above 1500 "${differing%% *}" || fail "$form in a window differs from the picture without one in $differing pixels"
    [ -z "$FAILED" ] || cp wave_surface.dat-1.png "$ARTIFACTS/window-$form.png"
  done
}

check() {
  mkdir -p "$WORK/start" "$ARTIFACTS" && cd "$WORK/start" || return
  without_display
  kinds_and_statuses
  in_a_window
  composed_in_a_window
}

run_in_xvfb check
