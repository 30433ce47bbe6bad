#!/usr/bin/env bash
# Pages printed through the editor's print commands to the private CUPS queue (print_queue.sh),
# turned into pictures and measured. Each round runs window tests that print with
# TALVEX_PRINT_QUEUE set; once the queue has handed every job to its backend, Ghostscript draws
# each job's PostScript at 254 pixels per inch (10 per millimetre) into
# ROUND/job<N>-page<M>.pgm, and the same program measures the pictures with
# TALVEX_PRINTED_PAGES=ROUND. Rounds: the print command's table of cases (PrintWindow, measured
# by PrintedPage), then the library print dialog (measured by PrintedLibraryPage). Before them,
# a cut job goes through the cutter's queue on an English system (EnglishSystemCutterQueue).
# Arguments: the Wine binary, the program test program, the queue's folder.
set -euo pipefail
wine=$1
program=$2
queue=$3
export CUPS_SERVER="$queue/cups.sock"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# round NAME PRINTING MEASURING: prints with the first filter, measures with the second.
round() {
  local name=$1 printing=$2 measuring=$3
  rm -f "$queue"/out/job-*.ps
  TALVEX_PRINT_QUEUE="$queue" "$wine" "$program" --gtest_filter="$printing" --gtest_color=no \
    >"$work/$name.log" 2>&1 || { cat "$work/$name.log"; exit 1; }
  cat "$work/$name.log"
  for _ in $(seq 1 300); do
    [[ -z $(lpstat -o 2>/dev/null) ]] && break
    sleep 0.1
  done
  [[ -z $(lpstat -o) ]] || { echo "FAIL: jobs still queued:"; lpstat -o; exit 1; }

  mkdir -p "$work/$name"
  local count=0 job
  while read -r job; do
    count=$((count + 1))
    gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pgmraw -r254 \
      -sOutputFile="$work/$name/job$count-page%d.pgm" "$job"
  done < <(ls "$queue"/out/job-*.ps 2>/dev/null | sort -V)
  echo "$name: printed jobs: $count"
  ls "$work/$name"

  (cd "$work" && TALVEX_PRINTED_PAGES="$name" "$wine" "$program" --gtest_filter="$measuring" \
    --gtest_color=no)
}

# A job cut from the cut window through a cutter's queue of a Chinese name, on an English system:
# the test reads back what the queue's backend received.
TALVEX_PRINT_QUEUE="$queue" LC_ALL=en_US.UTF-8 "$wine" "$program" \
  --gtest_filter='EnglishSystemCutterQueue.*' --gtest_color=no

round print 'PrintWindow.*' 'PrintedPage.*'
round library 'LibraryWindowTest.OnThePrintQueue*' 'PrintedLibraryPage.*'
