#!/usr/bin/env bash
# The README's example script: a folder of data files becomes red/cyan PNG
# anaglyphs, one a file; a file that cannot be drawn is named and fails the run.
set -uo pipefail
binary="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
source "$here/lib.sh"

check() {
  mkdir -p "$WORK/in" && cp "$root/Data/wave_surface.dat" "$root/Data/hill_scans.csv" "$WORK/in/"
  env -u DISPLAY ZENDRAL="$binary" "$root/scripts/folder_to_anaglyphs" "$WORK/in" "$WORK/out" \
    --mode filled >"$WORK/list.txt" 2>"$WORK/err.txt" || fail "the script failed: $(cat "$WORK/err.txt")"
  [ "$(ls "$WORK/out")" = $'hill_scans.csv.png\nwave_surface.dat.png' ] || fail "wrote: $(ls "$WORK/out")"
  # Both eyes in each: where one eye's picture lies the other's mostly does too
  # (red and green alike), apart from the fringes of their parallax.
  local picture drawn apart
  for picture in "$WORK"/out/*.png; do
    drawn=$(convert "$picture" -fx 'r > 0.1 || g > 0.1' -format '%[fx:100*mean]' info:)
    apart=$(convert "$picture" -fx 'abs(r - g) > 0.2' -format '%[fx:100*mean]' info:)
    echo "$(basename "$picture"): $drawn % drawn, $apart % in one eye's colour"
    awk -v d="$drawn" -v a="$apart" 'BEGIN { exit !(d > 5 && a > 0.01 && a < d / 4) }' ||
      fail "$(basename "$picture") is no red/cyan anaglyph"
  done
  printf 'x,y,z\n1,2,three\n' >"$WORK/in/notes.txt"
  env -u DISPLAY ZENDRAL="$binary" "$root/scripts/folder_to_anaglyphs" "$WORK/in" "$WORK/out" \
    >/dev/null 2>"$WORK/err.txt" && fail "a file that cannot be drawn did not fail the run"
  grep -q "notes.txt not loaded" "$WORK/err.txt" || fail "the reason was: $(cat "$WORK/err.txt")"
  [ -z "$FAILED" ] || cp "$WORK"/out/*.png "$ARTIFACTS/" 2>/dev/null
}

mkdir -p "$ARTIFACTS"
check
[ -z "$FAILED" ] || exit 1
echo "passed"
