#!/usr/bin/env bash
# Starts the editor from a copy of the program folder, once in Chinese and once in English, and
# saves a picture of the screen for each in <build>/screenshots/ (chinese.png, english.png). Fails
# when the main window does not come up within a minute or the picture is blank. A third start
# without the transform library saves missing_library.png and fails when the box that reports it
# is not painted. Needs DISPLAY and the Wine environment of tools/test.
# Usage: pictures.sh WINE BUILD_FOLDER
set -euo pipefail
wine=$1
build=$2
shots="$build/screenshots"
mkdir -p "$shots"

editor=
folder=
cleanup() {
  if [[ -n "$editor" ]]; then
    kill "$editor" 2>/dev/null || true
    wait "$editor" 2>/dev/null || true
    editor=
  fi
  [[ -n "$folder" ]] && rm -rf "$folder"
  folder=
}
trap cleanup EXIT

picture() {
  local name=$1 language=$2
  folder=$(mktemp -d)
  cp -r "$build/program/." "$folder/"
  sed -i "/^\[SystemParam\]/a Language=$language" "$folder/TALVEX42.INI"
  (cd "$folder" && exec "$wine" TALVEX42.exe) >/dev/null 2>&1 &
  editor=$!
  local up=
  for _ in $(seq 1 600); do
    if xwininfo -root -tree 2>/dev/null | grep -q 'V6\.27\.7'; then up=1; break; fi
    kill -0 "$editor" 2>/dev/null || break
    sleep 0.1
  done
  if [[ -z "$up" ]]; then
    echo "$name: the main window did not come up" >&2
    return 1
  fi
  sleep 2
  xwd -root -silent -display "$DISPLAY" | convert xwd:- "$shots/$name.png"
  local spread
  spread=$(convert "$shots/$name.png" -format '%[fx:standard_deviation]' info:)
  if ! awk -v s="$spread" 'BEGIN { exit !(s > 0.05) }'; then
    echo "$name: the picture is blank ($spread)" >&2
    return 1
  fi
  echo "$name: $shots/$name.png"
  cleanup
}

# The box that reports the missing transform library, as the X server shows it.
missing_library() {
  folder=$(mktemp -d)
  cp -r "$build/program/." "$folder/"
  rm -f "$folder/TalvexTransform.dll"
  (cd "$folder" && exec "$wine" TALVEX42.exe) >/dev/null 2>&1 &
  editor=$!
  local geometry= brightness=
  # Wine may list more than one window of that name (a hidden owner among them): the box is the
  # widest. Under load it can take a while to paint, so the check looks again for some seconds.
  for _ in $(seq 1 600); do
    geometry=$(xwininfo -root -tree 2>/dev/null |
      awk '/"TALVEX42": / { split($5, g, "[x+]"); if (g[1] > best) { best = g[1]; found = $5 } }
           END { print found }')
    [[ -n "$geometry" ]] && break
    kill -0 "$editor" 2>/dev/null || break
    sleep 0.1
  done
  if [[ -z "$geometry" ]]; then
    echo "missing_library: no box came up" >&2
    return 1
  fi
  local crop=${geometry%+*+*} place=${geometry#*+}
  for _ in $(seq 1 10); do
    sleep 1
    xwd -root -silent -display "$DISPLAY" | convert xwd:- "$shots/missing_library.png"
    brightness=$(convert "$shots/missing_library.png" -crop "$crop+${place%+*}+${place#*+}" \
      -format '%[fx:mean]' info:)
    awk -v b="$brightness" 'BEGIN { exit !(b > 0.3) }' && break
  done
  if ! awk -v b="$brightness" 'BEGIN { exit !(b > 0.3) }'; then
    echo "missing_library: the box is not painted ($brightness, $geometry)" >&2
    return 1
  fi
  echo "missing_library: $shots/missing_library.png"
  cleanup
}

picture chinese 2052
picture english 1033
missing_library
