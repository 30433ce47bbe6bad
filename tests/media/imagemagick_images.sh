#!/usr/bin/env bash
# Pictures written by another program: ImageMagick makes BMP and TIFF files of its built-in rose
# (70 x 46) and of a grey ramp in the depths and layouts the readers take (palette and 24-bit
# bitmaps with the headers it writes, 16-bit RGB565 bit fields in its 124-byte header, grey,
# palette and black-and-white TIFFs in several strips),
# and dumps each one's pixels as raw RGB; the media test program then reads every file through
# the editor's readers and compares every pixel with the dump.
# Arguments: the Wine binary, the media test program.
set -euo pipefail
wine=$1
program=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir images

# make NAME OUTPUT-FORMAT CONVERT-ARGUMENTS...
make() {
  local name=$1 format=$2
  shift 2
  convert "$@" "$format:images/$name"
  convert "images/$name" -depth 8 "rgb:images/$name.rgb"
}
make rose24.bmp bmp rose: -type TrueColor
make rose8.bmp bmp3 rose: -colors 200 -type Palette -compress none
make rose4.bmp bmp3 rose: -colors 16 -type Palette -compress none
make ramp8.bmp bmp3 -size 40x20 gradient:black-white -type Palette -compress none
make rose565.bmp bmp rose: -define bmp:subtype=RGB565
make ramp_grey.tif tiff -size 30x50 gradient:white-black -colorspace Gray -depth 8 -compress none \
  -define tiff:rows-per-strip=7
make rose_palette.tif tiff rose: -colors 16 -type Palette -compress none
make rose_mono.tif tiff rose: -monochrome -depth 1 -compress none -define tiff:rows-per-strip=5

env TALVEX_IMAGE_FIXTURES=images "$wine" "$program" --gtest_filter='ImageMagickFiles.*' \
  --gtest_color=no
