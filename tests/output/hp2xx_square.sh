#!/usr/bin/env bash
# A 100 mm test square cut through the plain HP-GL model must read in hp2xx with no ignored
# command and a coordinate range of exactly 4000 plotter units (40 per millimetre).
# Arguments: the Wine binary, the output test program.
set -euo pipefail
wine=$1
program=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cd "$work"
TALVEX_SQUARE_PLT=square.plt "$wine" "$program" --gtest_filter=ShippedModelsTest.HpglSquareForTheReader \
  --gtest_color=no >log.txt 2>&1 || { cat log.txt; exit 1; }
[[ -s square.plt ]] || { echo "no plot file written"; cat log.txt; exit 1; }
echo "plot file: $(cat square.plt)"

hp2xx -m hpgl -f /dev/null square.plt </dev/null >report.txt 2>&1 || { cat report.txt; exit 1; }
cat report.txt
grep -q "HPGL command(s) ignored: 0" report.txt || { echo "FAIL: hp2xx ignored commands"; exit 1; }
grep -q "Coordinate range: (0, 0) ... (4000, 4000)" report.txt || { echo "FAIL: coordinate range"; exit 1; }
echo "hp2xx square: ok"
