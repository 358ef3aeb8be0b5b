# Sourced by the measurements of the real viewer: starts it in a folder of its
# own whose Data/ holds one file, chooses a display mode, optionally a stereo
# mode, and the file on the panel with real clicks, and waits until the load and
# its first frames are done. Needs: root (the checkout) and build (the folder
# with zendral and zendral_panel_layout) set before sourcing.

PANEL_LAYOUT_TOOL="$build/zendral_panel_layout"
source "$root/tests/e2e/panel_driver.sh"
VIEWER_PID=""
VIEWER_DIR=""

stop_viewer() {
  [ -n "$VIEWER_PID" ] && { kill "$VIEWER_PID" 2>/dev/null; wait "$VIEWER_PID" 2>/dev/null; }
  [ -n "$VIEWER_DIR" ] && rm -rf "$VIEWER_DIR"
  VIEWER_PID=""
  VIEWER_DIR=""
}

# utime + stime of the viewer, in clock ticks.
viewer_ticks() { sed 's/^.*) //' "/proc/$VIEWER_PID/stat" | awk '{ print $12 + $13 }'; }

# start_viewer_on <file> <display mode label> [stereo mode label]: false (with a
# line saying why) when a step fails.
start_viewer_on() {
  local file="$1" mode="$2" stereo="${3:-}" name
  name="$(basename "$file")"
  VIEWER_DIR="$(mktemp -d)"
  mkdir "$VIEWER_DIR/Data"
  ln -s "$file" "$VIEWER_DIR/Data/$name"
  (cd "$VIEWER_DIR" && exec "$build/zendral" >"$VIEWER_DIR/out.txt" 2>&1) &
  VIEWER_PID=$!
  for _ in $(seq 200); do
    xdotool search --name '^Control Display$' >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 1
  (cd "$VIEWER_DIR" && panel_layout) &&
    click_control "Control Display" "Display Options" &&
    (cd "$VIEWER_DIR" && panel_layout "Display Options") &&
    click_control "Control Display" "Data Display" &&
    (cd "$VIEWER_DIR" && panel_layout "Display Options" "Data Display") &&
    click_box "Control Display" "$mode" || { echo "no \"$mode\" control" >&2; return 1; }
  if [ -n "$stereo" ]; then
    click_control "Control Display" "Mono/Stereo" &&
      (cd "$VIEWER_DIR" && panel_layout "Display Options" "Mono/Stereo" "Data Display") &&
      click_box "Control Display" "$stereo" || { echo "no \"$stereo\" control" >&2; return 1; }
  fi
  choose_item "Control Display" "Files:" "$name" || { echo "could not choose $name" >&2; return 1; }
}

# The viewer is idle once a whole second passes with next to no processor use
# after the file's header was read; false after three minutes.
wait_until_idle() {
  local hz a b
  hz="$(getconf CLK_TCK)"
  for _ in $(seq 180); do
    kill -0 "$VIEWER_PID" 2>/dev/null || { echo "the viewer ended" >&2; return 1; }
    a="$(viewer_ticks)"
    sleep 1
    b="$(viewer_ticks)"
    if grep -q "^width = " "$VIEWER_DIR/out.txt" && [ $((b - a)) -le $((hz / 20)) ]; then
      return 0
    fi
  done
  echo "the viewer never became idle after the load" >&2
  return 1
}
