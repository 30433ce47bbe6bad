#!/usr/bin/env bash
# Starts the installer fennik.exe from a copy of its files in the program folder, once on a
# Chinese system (it reads tlvcut.inf) and once on an English one (tlvcutE.inf and the English
# resource library), and saves a picture of the screen for each in <build>/screenshots/
# (installer_chinese.png, installer_english.png). Fails when the dialog does not come up within a
# minute or the picture is blank. The dialog is closed without installing. Needs DISPLAY and the
# Wine environment of tools/test, with the installer tests' own prefix.
# Usage: pictures.sh WINE BUILD_FOLDER
set -euo pipefail
wine=$1
build=$2
shots="$build/screenshots"
mkdir -p "$shots"
files=(fennik.exe fennikEng.DLL tlvcut.inf tlvcutE.inf TLVCUT.DLL TLVCUTUI.DLL TLVHPGL.PCD
       TLVDMPL.PCD TLVCUT.TXT)

installer=
folder=
cleanup() {
  if [[ -n "$installer" ]]; then
    kill "$installer" 2>/dev/null || true
    wait "$installer" 2>/dev/null || true
    installer=
  fi
  [[ -n "$folder" ]] && rm -rf "$folder"
  folder=
}
trap cleanup EXIT

picture() {
  local name=$1 locale=$2
  folder=$(mktemp -d)
  local file
  for file in "${files[@]}"; do cp "$build/program/$file" "$folder/"; done
  (cd "$folder" && LC_ALL=$locale exec "$wine" fennik.exe) >/dev/null 2>&1 &
  installer=$!
  local up=
  for _ in $(seq 1 600); do
    if xwininfo -root -tree 2>/dev/null | grep -qE 'Windows ?2000/XP'; then up=1; break; fi
    kill -0 "$installer" 2>/dev/null || break
    sleep 0.1
  done
  if [[ -z "$up" ]]; then
    echo "$name: the installer's dialog did not come up" >&2
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

picture installer_chinese zh_CN.UTF-8
picture installer_english en_US.UTF-8
