#!/usr/bin/env bash
# The traced shapes beside potrace, the field's reference tracer, run as a program on the same
# bitmaps: the addons test program traces its shapes (a disc, a slanted square with a hole,
# glyphs) and writes each bitmap with our node counts; potrace traces each bitmap; the counts are
# printed side by side, and ours may not exceed twice potrace's.
# Arguments: the Wine binary, the addons test program.
set -euo pipefail
wine=$1
program=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Wine's drive Z: is the root of the file system.
env TALVEX_TRACE_SHAPES="Z:${work//\//\\}" "$wine" "$program" \
  --gtest_filter='TraceShapes.OutlinesKeep*' --gtest_color=no

status=0
printf '%-12s %10s %8s %8s\n' shape vectoriser tracer potrace
for bitmap in "$work"/*.pbm; do
  name=$(basename "$bitmap" .pbm)
  read -r vectorised traced < <(tr -d '\r' < "$work/$name.nodes")
  # One segment per line in potrace's uncompressed EPS: its curves and straight pieces.
  reference=$(potrace --eps --cleartext --longcoding -o - "$bitmap" | grep -cE 'rcurveto$|rlineto$')
  printf '%-12s %10d %8d %8d\n' "$name" "$vectorised" "$traced" "$reference"
  for ours in "$vectorised" "$traced"; do
    if (( ours > 2 * reference )); then
      echo "$name: $ours segments, more than twice potrace's $reference" >&2
      status=1
    fi
  done
done
exit $status
