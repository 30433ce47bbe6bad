#!/usr/bin/env bash
# print_queue.sh start|stop FOLDER: a private CUPS scheduler with one raw print queue for the
# print tests. The scheduler runs as the user who starts it, keeps its configuration, spool, logs
# and socket under FOLDER and listens only on FOLDER/cups.sock (no network port, nothing outside
# FOLDER). Wine reaches it through libcups when CUPS_SERVER names that socket. The queue
# "TalvexPrintTest" is the default printer; its backend writes every job as it arrives (Wine's
# PostScript) to FOLDER/out/job-<id>.ps. A second raw queue, a cutter's as the Chinese driver
# installer names it, writes its jobs (plotter commands) to FOLDER/cutter/job-<id>.ps.
set -euo pipefail
action=$1
folder=$(mkdir -p "$2" && cd "$2" && pwd)
pidfile="$folder/cupsd.pid"
socket="$folder/cups.sock"
queue=TalvexPrintTest
cutter_queue="沐石HP-GL刻字机(通用型)"

stop() {
  if [[ -f "$pidfile" ]]; then
    local pid
    pid=$(cat "$pidfile")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    rm -f "$pidfile"
  fi
  rm -f "$socket"
}

configure() {
  rm -rf "$folder/etc" "$folder/spool" "$folder/state" "$folder/cache" "$folder/out" \
    "$folder/cutter"
  mkdir -p "$folder"/{etc,spool,tmp,cache,state,log,out,cutter,serverbin/backend}
  cat >"$folder/etc/cupsd.conf" <<CONF
Listen $socket
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cat >"$folder/etc/cups-files.conf" <<CONF
ServerRoot $folder/etc
RequestRoot $folder/spool
TempDir $folder/tmp
CacheDir $folder/cache
StateDir $folder/state
ServerBin $folder/serverbin
DataDir /usr/share/cups
AccessLog $folder/log/access_log
ErrorLog $folder/log/error_log
PageLog $folder/log/page_log
Printcap $folder/state/printcap
SystemGroup root
CONF
  # The scheduler's helper from the system, and a backend of our own (mode 0700: a scheduler
  # started by root runs it as root, so it can write into FOLDER).
  ln -sfn /usr/lib/cups/daemon "$folder/serverbin/daemon"
  cat >"$folder/serverbin/backend/talvexfile" <<'BACKEND'
#!/bin/sh
# talvexfile:FOLDER - writes each job to FOLDER/job-<id>.ps.
if [ $# -eq 0 ]; then
  echo 'file talvexfile "Unknown" "Files of the print tests"'
  exit 0
fi
umask 022
out="${DEVICE_URI#talvexfile:}/job-$1.ps"
if [ $# -ge 6 ]; then cat "$6" >"$out.part"; else cat >"$out.part"; fi && mv "$out.part" "$out"
BACKEND
  chmod 0700 "$folder/serverbin/backend/talvexfile"
}

case "$action" in
  start)
    command -v cupsd >/dev/null && command -v lpadmin >/dev/null ||
      { echo "cupsd and lpadmin are missing: run tools/setup" >&2; exit 1; }
    stop
    configure
    cupsd -f -c "$folder/etc/cupsd.conf" -s "$folder/etc/cups-files.conf" \
      </dev/null >>"$folder/log/cupsd.out" 2>&1 &
    echo $! >"$pidfile"
    for _ in $(seq 1 100); do
      [[ -S "$socket" ]] && break
      sleep 0.1
    done
    [[ -S "$socket" ]] || { echo "cupsd did not start:"; cat "$folder/log/"* >&2; stop; exit 1; }
    export CUPS_SERVER="$socket"
    # Raw queues are deprecated but still work: the job reaches the backend as Wine wrote it.
    lpadmin -p "$queue" -E -v "talvexfile:$folder/out" -m raw 2>/dev/null
    lpadmin -p "$cutter_queue" -E -v "talvexfile:$folder/cutter" -m raw 2>/dev/null
    lpadmin -d "$queue"
    lpstat -p "$queue" >/dev/null
    lpstat -p "$cutter_queue" >/dev/null
    ;;
  stop)
    stop
    ;;
  *)
    echo "usage: $0 start|stop FOLDER" >&2
    exit 2
    ;;
esac
