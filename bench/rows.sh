# Helpers of the scripts that compare whole frames of two programs
# (scripts/bench_peers, bench/limit_rows), sourced by them. Each program prints
# "<processor s> <wall s> <page faults> <pixels covered> ..." a frame.

# The median of the numbers on standard input, one a line ("nan" sorts last).
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR ? v[int((NR + 1) / 2)] : "nan") }'; }

# Field `n` of each line of a run's output, the median of them.
field_median() { awk -v n="$1" '{ print ($n == "" ? "nan" : $n) }' | median; }

# Whether two frames cover the same pixels: Zendral's `ours` against `theirs`,
# within 2 % of ours, or by how much they differ and `why` (what makes the two
# pictures differ, when that is known).
pixel_note() {
  awk -v o="$1" -v t="$2" -v why="$3" 'BEGIN {
    if (!(o > 0) || !(t > 0)) { print "pixels not read"; exit }
    d = 100 * (t - o) / o
    if (d < 0 ? -d <= 2 : d <= 2) printf "same pixels (%+.1f %%)", d
    else printf "pixels %+.0f %%: %s", d, (why == "" ? "not the same picture" : why)
  }'
}
