#!/usr/bin/env bash
# ImageMagick reads the BMP files that the scan writer made of bitmaps of every header kind
# (DibFileWriterTest.cpp, FilesForImageMagick) and must find the pixels the test expects.
# Arguments: the Wine binary, the media test program.
set -euo pipefail
wine=$1
program=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
env TALVEX_DIB_FILES=. "$wine" "$program" --gtest_filter=DibFileWriter.FilesForImageMagick \
  --gtest_color=no
count=0
for bmp in "$work"/*.bmp; do
  name=${bmp%.bmp}
  convert "$bmp" -depth 8 "rgb:$name.read"
  if ! cmp -s "$name.rgb" "$name.read"; then
    echo "ImageMagick reads other pixels in $(basename "$bmp")"
    exit 1
  fi
  count=$((count + 1))
done
[ "$count" -ge 8 ] || { echo "only $count files written"; exit 1; }
echo "ImageMagick read all $count files"
