#!/usr/bin/env bash
# A private CUPS scheduler for the end-to-end print test: its own config,
# spool, logs and socket under DIR, one cups-pdf queue "ResonexPDF" as its
# default destination, PDFs written to DIR/pdf. A system cupsd, if any, is
# neither used nor disturbed.
#
#   cups-fixture.sh start DIR   prints the client environment (also in DIR/env)
#   cups-fixture.sh stop DIR
#
# A client needs CUPS_SERVER from DIR/env, and no LPDEST or PRINTER, which
# would override the scheduler's default destination.
#
# Needs root: cupsd runs the cups-pdf backend as root only when it is root.
# cups-pdf reads its settings from /etc/cups only, so start writes
# /etc/cups/cups-pdf-<instance>.conf, and stop removes it.
set -euo pipefail

QUEUE=ResonexPDF
# The PPD without options: the other one's defaults override cups-pdf's config.
PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
READY_SECONDS=30

die() {
    echo "cups-fixture: $*" >&2
    exit 1
}

usage() {
    echo "usage: $0 start|stop DIR" >&2
    exit 2
}

(($# == 2)) || usage
command=$1
[ "$command" != stop ] || [ -d "$2" ] || exit 0
mkdir -p "$2"
DIR="$(cd "$2" && pwd)"
# start empties DIR/etc and the other folders it owns, so never the root's.
[ "$DIR" != / ] || die "DIR must not be /"
SOCKET="$DIR/cups.sock"
PIDFILE="$DIR/cupsd.pid"
# One cups-pdf instance per fixture folder, so two fixtures don't share output.
INSTANCE="resonex-$(printf '%s' "$DIR" | cksum | cut -d' ' -f1)"
CUPS_PDF_CONF="/etc/cups/cups-pdf-$INSTANCE.conf"

# The pids of cupsd's session: cupsd, its filters, backends and Ghostscript.
session_pids() {
    [ -s "$PIDFILE" ] || return 0
    ps -e -o pid=,sid= | awk -v sid="$(cat "$PIDFILE")" '$2 == sid { print $1 }'
}

stop() {
    if [ -s "$PIDFILE" ]; then
        local pid pids
        pid="$(cat "$PIDFILE")"
        # Only a cupsd we started: a stale pid may belong to anything by now.
        if [ "$(ps -o comm= -p "$pid" 2>/dev/null)" = cupsd ]; then
            kill -TERM "$pid" 2>/dev/null || true
            for _ in $(seq 50); do
                kill -0 "$pid" 2>/dev/null || break
                sleep 0.1
            done
            pids="$(session_pids)"
            # shellcheck disable=SC2086 # one pid per word
            [ -z "$pids" ] || kill -KILL $pids 2>/dev/null || true
        fi
        rm -f "$PIDFILE"
    fi
    rm -f "$SOCKET" "$CUPS_PDF_CONF" "$DIR/env"
}

write_config() {
    # A fresh scheduler each time: no queues, jobs or job numbers carried over.
    rm -rf "${DIR:?}"/{etc,spool,cache,state,log,pdf,cups-pdf-spool}
    mkdir -p "$DIR"/{etc,spool/tmp,cache,state,log,pdf,cups-pdf-spool}
    # Filters run as lp and open the job files under DIR/spool.
    chmod o+x "$DIR"
    setpriv --reuid=lp --regid=lp --clear-groups test -x "$DIR" ||
        die "user lp cannot enter $DIR: a parent folder is closed to other users"
    cat >"$DIR/etc/cups-files.conf" <<EOF
ServerRoot $DIR/etc
RequestRoot $DIR/spool
TempDir $DIR/spool/tmp
CacheDir $DIR/cache
StateDir $DIR/state
AccessLog $DIR/log/access_log
ErrorLog $DIR/log/error_log
PageLog $DIR/log/page_log
Printcap $DIR/state/printcap
User lp
Group lp
SystemGroup root
FileDevice No
EOF
    # Only the socket: no TCP port, no browsing, nobody else's printers.
    cat >"$DIR/etc/cupsd.conf" <<EOF
Listen $SOCKET
Browsing No
BrowseLocalProtocols none
WebInterface No
LogLevel info
MaxLogSize 0
<Location />
  Order allow,deny
  Allow localhost
</Location>
<Policy default>
  JobPrivateAccess default
  JobPrivateValues default
  SubscriptionPrivateAccess default
  SubscriptionPrivateValues default
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    cat >"$CUPS_PDF_CONF" <<EOF
Out $DIR/pdf
AnonDirName $DIR/pdf
Spool $DIR/cups-pdf-spool
Log $DIR/log
LogType 3
Grp lp
UserUMask 0022
Label 1
TitlePref 1
EOF
}

# Succeeds once the scheduler answers on our socket.
scheduler_answers() {
    lpstat -h "$SOCKET" -r 2>/dev/null | grep -q "scheduler is running"
}

start() {
    [ "$(id -u)" -eq 0 ] || die "must run as root (cupsd runs the cups-pdf backend as root only when it is root)"
    for tool in cupsd lpstat lpadmin; do
        command -v "$tool" >/dev/null || die "$tool not found: install cups and cups-client"
    done
    [ -x /usr/lib/cups/backend/cups-pdf ] || die "cups-pdf backend not found: install printer-driver-cups-pdf"
    [ -r "$PPD" ] || die "$PPD not found: install printer-driver-cups-pdf"
    # A Unix socket path holds at most 107 bytes.
    ((${#SOCKET} <= 107)) || die "socket path too long for a Unix socket: $SOCKET"

    stop
    # Whatever fails from here on leaves nothing running or written outside DIR.
    trap '[ $? -eq 0 ] || stop' EXIT
    write_config
    cupsd -t -c "$DIR/etc/cupsd.conf" -s "$DIR/etc/cups-files.conf" >"$DIR/log/config-check" 2>&1 ||
        die "cupsd rejected its configuration: $(tail -n 1 "$DIR/log/config-check")"

    # Its own session, so stop finds every process of it.
    setsid cupsd -f -c "$DIR/etc/cupsd.conf" -s "$DIR/etc/cups-files.conf" \
        </dev/null >"$DIR/log/cupsd.out" 2>&1 &
    echo $! >"$PIDFILE"

    local waited=0
    until scheduler_answers; do
        if ! kill -0 "$(cat "$PIDFILE")" 2>/dev/null; then
            local reason
            reason="$(grep -hs '^E ' "$DIR/log/error_log" | tail -n 1)" || true
            [ -n "$reason" ] || reason="$(tail -n 1 "$DIR/log/cupsd.out")"
            die "cupsd exited at startup: ${reason:-no message}"
        fi
        ((waited < READY_SECONDS * 10)) || die "cupsd did not answer on $SOCKET within ${READY_SECONDS}s"
        sleep 0.1
        waited=$((waited + 1))
    done
    [ "$(ps -o comm= -p "$(cat "$PIDFILE")")" = cupsd ] || die "the recorded pid is not cupsd's"

    local out
    # pdftocairo keeps real fonts in the PostScript that cups-pdf turns back
    # into PDF; the default renderer leaves bitmap glyphs that pdftotext can't read.
    out="$(lpadmin -h "$SOCKET" -p "$QUEUE" -E -v "cups-pdf:/$INSTANCE" -P "$PPD" \
        -o pdftops-renderer-default=pdftocairo 2>&1 &&
        lpadmin -h "$SOCKET" -d "$QUEUE" 2>&1)" || die "could not create queue $QUEUE: $out"
    lpstat -h "$SOCKET" -a "$QUEUE" 2>/dev/null | grep -q "accepting requests" ||
        die "queue $QUEUE does not accept jobs"

    printf 'CUPS_SERVER=%s\nRESONEX_PRINT_QUEUE=%s\nRESONEX_PRINT_OUTPUT=%s\n' \
        "$SOCKET" "$QUEUE" "$DIR/pdf" >"$DIR/env"
    cat "$DIR/env"
}

case "$command" in
start) start ;;
stop) stop ;;
*) usage ;;
esac
