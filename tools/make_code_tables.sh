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

# Reads iconv's output as decimal bytes and writes one two-byte entry per line: the line's code
# when it is one valid double-byte code of the target set, else the replacement.
#   target gb: little-endian, replacement A3BF; target big5: lead byte first, replacement A148.
entries() {
  od -An -v -tu1 | awk -v target="$1" '
    function valid(a, b) {
      if (target == "gb") return a >= 161 && a <= 254 && b >= 161 && b <= 254;
      return a >= 161 && a <= 254 && ((b >= 64 && b <= 126) || (b >= 161 && b <= 254));
    }
    function put(a, b) {
      if (target == "gb") printf "%c%c", b, a; else printf "%c%c", a, b;
    }
    { for (i = 1; i <= NF; i++) {
        if ($i != 10) { line[n++] = $i; continue }
        if (n == 2 && valid(line[0], line[1])) put(line[0], line[1]);
        else if (target == "gb") put(163, 191); else put(161, 72);
        n = 0 } }'
}

# A source code that is not valid in its own set must not pass through as a stray byte:
# iconv -c drops what it cannot convert, and the entry check above refuses what is left.
big5_codes | iconv -c -f BIG5 -t GB2312 | entries gb > "$out/BIG52GB.DAT.tmp"
gb_codes | iconv -c -f GB2312 -t BIG5 | entries big5 > "$out/GB2BIG5.DAT.tmp"

check_size() {
  local size
  size=$(stat -c %s "$1")
  [[ "$size" -eq "$2" ]] || { echo "make_code_tables: $1 has $size bytes, not $2" >&2; exit 1; }
}
check_size "$out/BIG52GB.DAT.tmp" $((94 * 157 * 2))
check_size "$out/GB2BIG5.DAT.tmp" $(((9 + 79) * 95 * 2))
mv "$out/BIG52GB.DAT.tmp" "$out/BIG52GB.DAT"
mv "$out/GB2BIG5.DAT.tmp" "$out/GB2BIG5.DAT"
