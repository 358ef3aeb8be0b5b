# Drives the real program's panel windows with real pointer clicks (xdotool).
# Where each control stands comes from zendral_panel_layout, which builds the
# same panels in the same folder with the same rollouts open; source this file
# and call panel_layout again after every click that opens or closes a rollout.
# Needs: PANEL_LAYOUT_TOOL, the path of zendral_panel_layout.

PANEL_LAYOUT_FILE="$(mktemp)"

# panel_layout [rollout...]: takes the layout with those rollouts open.
panel_layout() {
  "$PANEL_LAYOUT_TOOL" "$@" >"$PANEL_LAYOUT_FILE" 2>/dev/null
}

# Prints "x y" of a panel window's top left corner on the screen.
panel_window_origin() {
  local id
  id=$(xdotool search --name "^$1\$" 2>/dev/null | tail -1) || return 1
  [ -n "$id" ] || return 1
  xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                            END {print x, y}'
}

# control_rect window label [group]: prints "x y w h" within the window.
control_rect() {
  awk -F'\t' -v win="$1" -v label="$2" -v group="${3:-}" '
    $1 == "rect" && $2 == win && $4 == label && (group == "" || $3 == group) {
      print $5, $6, $7, $8; exit }' "$PANEL_LAYOUT_FILE"
}

# click_screen x y: moves there, lets the panel see the pointer, then clicks.
click_screen() {
  xdotool mousemove "$1" "$2"
  sleep 0.3
  xdotool click 1
  sleep 0.5
}

# click_control window label [group]: a click in the middle of the control
# (buttons, rollout headers, fields).
click_control() {
  local r ox oy x y w h
  r=$(control_rect "$@")
  [ -n "$r" ] || { echo "no place for \"$2\" in $1" >&2; return 1; }
  read -r x y w h <<<"$r"
  read -r ox oy < <(panel_window_origin "$1") || return 1
  click_screen $((ox + x + w / 2)) $((oy + y + h / 2))
}

# click_box window label [group]: a click on the box of a checkbox or the circle
# of a radio button, at the left of its place.
click_box() {
  local r ox oy x y w h
  r=$(control_rect "$@")
  [ -n "$r" ] || { echo "no place for \"$2\" in $1" >&2; return 1; }
  read -r x y w h <<<"$r"
  read -r ox oy < <(panel_window_origin "$1") || return 1
  click_screen $((ox + x + h / 2)) $((oy + y + h / 2))
}

# choose_item window list text: opens the list box and clicks the item. The list
# opens below the field when it fits in the window, else above it (ImGui's rule
# for drop-down lists, default style: 17 pixels an item, 8 pixels of padding). It
# shows at most 8 items; an item further down is reached by scrolling the list
# to its end with the wheel.
choose_item() {
  local win="$1" list="$2" text="$3" r x y w h ox oy index count height top
  r=$(control_rect "$win" "$list")
  [ -n "$r" ] || { echo "no place for \"$list\" in $win" >&2; return 1; }
  read -r x y w h <<<"$r"
  index=$(awk -F'\t' -v win="$win" -v list="$list" -v text="$text" '
    $1 == "item" && $2 == win && $3 == list && $5 == text { print $4; exit }' "$PANEL_LAYOUT_FILE")
  [ -n "$index" ] || { echo "no item \"$text\" in \"$list\"" >&2; return 1; }
  count=$(awk -F'\t' -v win="$win" -v list="$list" '
    $1 == "item" && $2 == win && $3 == list { n++ } END { print n + 0 }' "$PANEL_LAYOUT_FILE")
  height=$(awk -F'\t' -v win="$win" '$1 == "size" && $2 == win { print $4; exit }' "$PANEL_LAYOUT_FILE")
  read -r ox oy < <(panel_window_origin "$win") || return 1
  local shown=$((count < 8 ? count : 8)) row=$index
  local popup=$((17 * shown + 12))
  if [ $((y + h + popup)) -le $((height - 3)) ]; then top=$((y + h)); else top=$((y - popup)); fi
  click_screen $((ox + x + w / 2)) $((oy + y + h / 2))
  if [ "$index" -ge "$shown" ]; then
    xdotool mousemove $((ox + x + 20)) $((oy + top + popup / 2))
    sleep 0.3
    xdotool click --repeat "$count" --delay 50 5
    sleep 0.3
    row=$((index - count + shown))
  fi
  click_screen $((ox + x + 20)) $((oy + top + 8 + 17 * row + 6))
}
