#!/usr/bin/env bash
# The plot file cut from the drawing of the four artistic transformations, read by hp2xx: it must
# read with no ignored command, and its coordinates must span what the window test itself read
# from the file (written beside it as NAME.range). Arguments: the Wine binary, the program test
# program.
set -euo pipefail
wine=$1
program=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
TALVEX_ART_PLT=bent.plt "$wine" "$program" \
  --gtest_filter=ArtTransformWindow.EachTransformationIsChosenDraggedUndoneSavedReopenedAndCut \
  --gtest_color=no >cut.log 2>&1 || { cat cut.log; exit 1; }
[[ -s bent.plt && -s bent.plt.range ]] || { echo "no plot file written"; cat cut.log; exit 1; }
hp2xx -m hpgl -f /dev/null bent.plt </dev/null >bent.txt 2>&1 || { cat bent.txt; exit 1; }
cat bent.txt
grep -q "HPGL command(s) ignored: 0" bent.txt || { echo "FAIL: hp2xx ignored commands"; exit 1; }
range=$(cat bent.plt.range)
grep -qF "Coordinate range: $range" bent.txt || { echo "FAIL: range, the test read $range"; exit 1; }
echo "hp2xx art transform plot: ok"
