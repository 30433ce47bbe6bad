#!/usr/bin/env bash
# Pages printed through the editor's print command to the private CUPS queue (print_queue.sh),
# turned into pictures and measured. The window tests print their table of cases with
# TALVEX_PRINT_QUEUE set; once the queue has handed every job to its backend, Ghostscript draws
# each job's PostScript at 254 pixels per inch (10 per millimetre) into job<N>-page<M>.pgm, and
# the same program measures the pictures with TALVEX_PRINTED_PAGES set.
# Arguments: the Wine binary, the program test program, the queue's folder.
set -euo pipefail
wine=$1
program=$2
queue=$3
export CUPS_SERVER="$queue/cups.sock"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rm -f "$queue"/out/job-*.ps
TALVEX_PRINT_QUEUE="$queue" "$wine" "$program" --gtest_filter='PrintWindow.*' --gtest_color=no \
  >"$work/print.log" 2>&1 || { cat "$work/print.log"; exit 1; }
cat "$work/print.log"
for _ in $(seq 1 300); do
  [[ -z $(lpstat -o 2>/dev/null) ]] && break
  sleep 0.1
done
[[ -z $(lpstat -o) ]] || { echo "FAIL: jobs still queued:"; lpstat -o; exit 1; }

count=0
while read -r job; do
  count=$((count + 1))
  gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pgmraw -r254 \
    -sOutputFile="$work/job$count-page%d.pgm" "$job"
done < <(ls "$queue"/out/job-*.ps 2>/dev/null | sort -V)
echo "printed jobs: $count"
ls "$work"

cd "$work"
TALVEX_PRINTED_PAGES=. "$wine" "$program" --gtest_filter='PrintedPage.*' --gtest_color=no
