#!/usr/bin/env bash
# The plot file of the drawing export read by hp2xx: it must read with no ignored command and
# span the drawing's box in plotter units (a rectangle from (10, 10) to (20, 30) and a line at
# y = 40, at 40 units per millimetre). Arguments: the Wine binary, the editor test program.
set -euo pipefail
wine=$1
program=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
TALVEX_EXPORT_PLT=export.plt "$wine" "$program" \
  --gtest_filter=DrawingExport.APlotFileHoldsTheOutlinesInPlotterUnitsTurnedOverWithinTheirBox \
  --gtest_color=no >export.log 2>&1 || { cat export.log; exit 1; }
[[ -s export.plt ]] || { echo "no plot file written"; cat export.log; exit 1; }
echo "plot file: $(cat export.plt)"
hp2xx -m hpgl -f /dev/null export.plt </dev/null >export.txt 2>&1 || { cat export.txt; exit 1; }
cat export.txt
grep -q "HPGL command(s) ignored: 0" export.txt || { echo "FAIL: hp2xx ignored commands"; exit 1; }
grep -qF "Coordinate range: (400, 400) ... (800, 1600)" export.txt || { echo "FAIL: range"; exit 1; }
echo "hp2xx export: ok"
