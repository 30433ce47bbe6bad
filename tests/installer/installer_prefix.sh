#!/usr/bin/env bash
# The installer's tests add printers, drivers and ports, so they run in a Wine prefix of their own,
# <build>/installer-wineprefix, and never in the build's shared prefix that the other tests use.
# "start" makes that prefix on first use (about half a minute) and keeps a copy of what the spooler
# changes (the registry files, win.ini and the spool folders); later starts put that copy back,
# so every run begins on a system with no printer of ours. It then adds the file port the raw-job
# test prints to (<build>/installer-port/cutter.out). "stop" ends the prefix's Wine server and puts
# the copy back again. A new Wine version makes the prefix again.
# Usage: installer_prefix.sh start|stop WINE BUILD_FOLDER
set -euo pipefail
action=$1
wine=$2
build=$3
source "$(dirname "$0")/../../tools/common.sh"

export WINEPREFIX="$build/installer-wineprefix"
TALVEX_WINE=$wine
server=${WINESERVER:-/usr/lib/wine/wineserver}
saved="$build/installer-wineprefix-first"
port_folder="$build/installer-port"
kept=(system.reg user.reg userdef.reg drive_c/windows/win.ini
      drive_c/windows/system32/spool drive_c/windows/syswow64/spool)

stop_server() {
  "$server" -k >/dev/null 2>&1 || true
  "$server" -w >/dev/null 2>&1 || true
}

wine_version() {
  "$wine" --version 2>/dev/null || true
  stat -c %Y /usr/share/wine/wine.inf 2>/dev/null || true
}

make_prefix() {
  stop_server
  rm -rf "$WINEPREFIX" "$saved"
  talvex_wine_prefix
  "$server" -w || true
  mkdir -p "$saved"
  local item
  for item in "${kept[@]}"; do
    if [[ -e "$WINEPREFIX/$item" ]]; then
      mkdir -p "$(dirname "$saved/$item")"
      cp -a "$WINEPREFIX/$item" "$saved/$item"
    fi
  done
  wine_version > "$saved/VERSION"
}

put_back() {
  stop_server
  local item
  for item in "${kept[@]}"; do
    rm -rf "${WINEPREFIX:?}/$item"
    [[ -e "$saved/$item" ]] && cp -a "$saved/$item" "$WINEPREFIX/$item"
  done
  return 0
}

add_file_port() {
  local view=()
  [[ "$wine" == *wine64 ]] && view=(/reg:64)
  rm -rf "$port_folder"
  mkdir -p "$port_folder"
  "$wine" reg.exe add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Ports' \
    /v "$port_folder/cutter.out" /t REG_SZ /d "" /f "${view[@]}" >/dev/null 2>&1
  "$server" -w || true
}

case "$action" in
  start)
    if [[ ! -f "$WINEPREFIX/system.reg" || ! -f "$saved/VERSION" ||
          "$(wine_version)" != "$(cat "$saved/VERSION")" ]]; then
      make_prefix
    else
      put_back
    fi
    add_file_port
    ;;
  stop)
    [[ -f "$saved/VERSION" ]] && put_back
    rm -rf "$port_folder"
    ;;
  *)
    echo "usage: $0 start|stop WINE BUILD_FOLDER" >&2
    exit 2
    ;;
esac
