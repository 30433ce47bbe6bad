#!/usr/bin/env bash
# serial_pty.sh start|stop FOLDER: the pseudo-terminal that the serial-port tests write to. socat
# makes FOLDER/PTY and records every byte that arrives in FOLDER/OUT; Wine maps COM1 and COM12 to
# FOLDER/PTY (tools/common.sh, talvex_wine_ports).
set -euo pipefail
action=$1
folder=$2
pidfile="$folder/socat.pid"

stop() {
  if [[ -f "$pidfile" ]]; then
    kill "$(cat "$pidfile")" 2>/dev/null || true
    rm -f "$pidfile"
  fi
}

case "$action" in
  start)
    mkdir -p "$folder"
    stop
    rm -f "$folder/PTY" "$folder/OUT"
    socat -u "pty,raw,echo=0,link=$folder/PTY,ignoreeof" "CREATE:$folder/OUT" \
      </dev/null >/dev/null 2>&1 &
    echo $! >"$pidfile"
    for _ in $(seq 1 100); do
      [[ -e "$folder/PTY" ]] && exit 0
      sleep 0.05
    done
    echo "socat did not make $folder/PTY" >&2
    stop
    exit 1
    ;;
  stop)
    stop
    ;;
  *)
    echo "usage: $0 start|stop FOLDER" >&2
    exit 2
    ;;
esac
