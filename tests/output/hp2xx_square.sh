#!/usr/bin/env bash
# Plot files of the HP-GL models read by hp2xx: they must read with no unknown command and within
# the expected coordinate range (40 plotter units per millimetre). A 100 mm test square; a whole
# job of a rectangle, an open curve, a circle and a group (the range runs from the rectangle's
# corner to the circle's right and the lower square's bottom); the same job in two strips, each
# ending with the frame of the 400 x 900 mm media; and a square cut in half-cut pieces, each
# solid piece a cut and each void piece a move with nothing between them.
# Arguments: the Wine binary, the output test program.
set -euo pipefail
wine=$1
program=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# check NAME FILE-VARIABLE TEST RANGE [IGNORED]: IGNORED commands hp2xx does not know (a
# cutter's force command "FS") are allowed, no more.
check() {
  local name=$1 variable=$2 test=$3 range=$4 ignored=${5:-0}
  env "$variable=$name.plt" "$wine" "$program" --gtest_filter="$test" --gtest_color=no \
    >"$name.log" 2>&1 || { cat "$name.log"; exit 1; }
  [[ -s $name.plt ]] || { echo "$name: no plot file written"; cat "$name.log"; exit 1; }
  echo "$name plot file: $(cat "$name.plt")"
  hp2xx -m hpgl -f /dev/null "$name.plt" </dev/null >"$name.txt" 2>&1 || { cat "$name.txt"; exit 1; }
  cat "$name.txt"
  grep -qE "HPGL command\(s\) ignored: $ignored[[:space:]]*\$" "$name.txt" || { echo "FAIL: $name: hp2xx ignored commands"; exit 1; }
  grep -qF "Coordinate range: $range" "$name.txt" || { echo "FAIL: $name: coordinate range"; exit 1; }
  echo "hp2xx $name: ok"
}

check square TALVEX_SQUARE_PLT ShippedModelsTest.HpglSquareForTheReader "(0, 0) ... (4000, 4000)"
check job TALVEX_JOB_PLT CutJobTest.AWholeJobGoesToTheFileInTheHpglModelsCommands \
  "(460, 460) ... (1540, 2460)"
check strips TALVEX_STRIPS_PLT CutJobTest.EveryStripEndsWithTheWholeMediaFrame \
  "(0, 0) ... (36000, 16000)"
check halfcut TALVEX_HALFCUT_PLT CutJobTest.HalfCutAndOvercutInAJob "(460, 460) ... (860, 860)" 1
