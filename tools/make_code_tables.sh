#!/usr/bin/env bash
# Writes the GB <-> Big5 conversion tables of the program folder from the system's character-set
# conversion (iconv): make_code_tables.sh OUTPUT_FOLDER. Every code of the source set goes through
# iconv on a line of its own, so that a code without a counterpart leaves its line empty instead
# of shifting the others; such codes get the target set's full-width question mark.
#   BIG52GB.DAT  one little-endian GB code per Big5 code, 157 per lead byte from 0xA1
#                (trail bytes 0x40-0x7E, then 0xA1-0xFE)
#   GB2BIG5.DAT  one Big5 code per GB code, lead byte first, 95 per lead byte (trail bytes
#                0xA1-0xFF): leads 0xA1-0xA9, then 0xB0-0xFE
set -euo pipefail
out=${1:?output folder}
mkdir -p "$out"
export LC_ALL=C

big5_codes() {
  awk 'BEGIN { for (lead = 161; lead <= 254; lead++) {
                 for (t = 64; t <= 126; t++) printf "%c%c\n", lead, t;
                 for (t = 161; t <= 254; t++) printf "%c%c\n", lead, t } }'
}
gb_codes() {
  awk 'BEGIN { for (lead = 161; lead <= 254; lead++) {
                 if (lead >= 170 && lead <= 175) continue;
                 for (t = 161; t <= 255; t++) printf "%c%c\n", lead, t } }'
}

# One two-byte entry per line of the candidate file: the line's code when it is one valid
# double-byte code of the target set and stands for the same character as the source code (both
# read as UTF-8: iconv substitutes a look-alike for some characters the target set lacks), else
# the replacement. Target gb: little-endian, replacement A3BF; target big5: lead byte first,
# replacement A148.
entries() {
  local target=$1 candidates=$2 source_text=$3 candidate_text=$4
  awk -v target="$target" -v texts="$source_text" -v back="$candidate_text" '
    BEGIN { for (i = 1; i < 256; i++) ord[sprintf("%c", i)] = i }
    function valid(a, b) {
      if (target == "gb") return a >= 161 && a <= 254 && b >= 161 && b <= 254;
      return a >= 161 && a <= 254 && ((b >= 64 && b <= 126) || (b >= 161 && b <= 254));
    }
    function put(a, b) {
      if (target == "gb") printf "%c%c", b, a; else printf "%c%c", a, b;
    }
    { getline text < texts; getline again < back
      a = ord[substr($0, 1, 1)]; b = ord[substr($0, 2, 1)]
      if (length($0) == 2 && valid(a, b) && text != "" && text == again) put(a, b);
      else if (target == "gb") put(163, 191); else put(161, 72) }' "$candidates"
}

# Each code goes through its character (UTF-8), not through a direct converter between the two
# sets, which maps some characters to others. A source code that is not valid in its own set must
# not pass through as a stray byte: iconv -c drops what it cannot convert, and the checks above
# refuse what is left.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
big5_codes > "$work/big5"
iconv -c -f BIG5 -t UTF-8 < "$work/big5" > "$work/big5.text"
iconv -c -f UTF-8 -t GB2312 < "$work/big5.text" > "$work/big5.gb"
iconv -c -f GB2312 -t UTF-8 < "$work/big5.gb" > "$work/big5.gb.text"
entries gb "$work/big5.gb" "$work/big5.text" "$work/big5.gb.text" > "$out/BIG52GB.DAT.tmp"
gb_codes > "$work/gb"
iconv -c -f GB2312 -t UTF-8 < "$work/gb" > "$work/gb.text"
iconv -c -f UTF-8 -t BIG5 < "$work/gb.text" > "$work/gb.big5"
iconv -c -f BIG5 -t UTF-8 < "$work/gb.big5" > "$work/gb.big5.text"
entries big5 "$work/gb.big5" "$work/gb.text" "$work/gb.big5.text" > "$out/GB2BIG5.DAT.tmp"

check_size() {
  local size
  size=$(stat -c %s "$1")
  [[ "$size" -eq "$2" ]] || { echo "make_code_tables: $1 has $size bytes, not $2" >&2; exit 1; }
}
check_size "$out/BIG52GB.DAT.tmp" $((94 * 157 * 2))
check_size "$out/GB2BIG5.DAT.tmp" $(((9 + 79) * 95 * 2))
mv "$out/BIG52GB.DAT.tmp" "$out/BIG52GB.DAT"
mv "$out/GB2BIG5.DAT.tmp" "$out/GB2BIG5.DAT"
