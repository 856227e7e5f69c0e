#!/usr/bin/env bash
# A private MariaDB server for the demo and the tests:
#   bash scripts/db.sh {init|start|stop|status|reset}
#   bash scripts/db.sh sql [mariadb options]   (as root, on the schema)
# It listens on 127.0.0.1:${KOBRELAN_DB_PORT:-17002} only and keeps its data
# directory, socket, pid file and log under ${KOBRELAN_DB_DIR:-.run/db-<port>}.
# /etc/mysql is ignored; no systemd is needed.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PORT="${KOBRELAN_DB_PORT:-17002}"
DIR="${KOBRELAN_DB_DIR:-$ROOT/.run/db-$PORT}"
DATA="$DIR/data"
PIDFILE="$DIR/mariadbd.pid"
LOG="$DIR/mariadbd.log"
SOCK="$DIR/mariadbd.sock"
# A Unix socket path must stay short (108 bytes).
if [ "${#SOCK}" -gt 100 ]; then
    SOCK="/tmp/kobrelan-db-$PORT-$(printf '%s' "$DIR" | md5sum | cut -c1-8).sock"
fi
SCHEMA="kobrelan"
ACCOUNT="kobrelan"

export PATH="$PATH:/usr/sbin:/sbin"

# The account password lives in one place, the program's endpoint.
password() {
    local pw
    pw="$(sed -n 's/.*kPassword = "\([^"]*\)".*/\1/p' "$ROOT/src/data/db.h")"
    if [ -z "$pw" ]; then
        echo "db.sh: cannot read kPassword from src/data/db.h" >&2
        exit 1
    fi
    printf '%s' "$pw"
}

sql_root() { mariadb --no-defaults -uroot -S "$SOCK" --default-character-set=utf8mb4 "$@"; }

is_running() {
    [ -S "$SOCK" ] && mariadb-admin --no-defaults -uroot -S "$SOCK" --connect-timeout=2 ping \
        >/dev/null 2>&1
}

log_tail() {
    if [ -f "$LOG" ]; then
        echo "---- last lines of $LOG" >&2
        tail -n 25 "$LOG" >&2
    fi
}

cmd_init() {
    mkdir -p "$DIR"
    if [ -d "$DATA/mysql" ]; then
        return 0
    fi
    echo "db.sh: creating a data directory in $DATA"
    rm -rf "$DATA"
    # --force: no host name check, as a bare system may have no /etc/hosts.
    if ! mariadb-install-db --no-defaults --datadir="$DATA" --user=root --force \
        --auth-root-authentication-method=normal --skip-test-db >"$DIR/install.log" 2>&1; then
        echo "db.sh: mariadb-install-db failed" >&2
        tail -n 25 "$DIR/install.log" >&2
        exit 1
    fi
}

provision() {
    local pw
    pw="$(password | sed "s/\\\\/\\\\\\\\/g; s/'/\\\\'/g")"
    sql_root <<SQL
CREATE DATABASE IF NOT EXISTS \`$SCHEMA\` DEFAULT CHARACTER SET gbk;
CREATE USER IF NOT EXISTS '$ACCOUNT'@'127.0.0.1' IDENTIFIED BY '$pw';
CREATE USER IF NOT EXISTS '$ACCOUNT'@'localhost' IDENTIFIED BY '$pw';
ALTER USER '$ACCOUNT'@'127.0.0.1' IDENTIFIED BY '$pw';
ALTER USER '$ACCOUNT'@'localhost' IDENTIFIED BY '$pw';
GRANT ALL PRIVILEGES ON \`$SCHEMA\`.* TO '$ACCOUNT'@'127.0.0.1';
GRANT ALL PRIVILEGES ON \`$SCHEMA\`.* TO '$ACCOUNT'@'localhost';
SQL
    sql_root "$SCHEMA" <"$ROOT/db/schema.sql"
}

cmd_start() {
    if is_running; then
        echo "db.sh: server already running on 127.0.0.1:$PORT (socket $SOCK)"
        provision
        return 0
    fi
    cmd_init
    rm -f "$SOCK"
    if [ -f "$PIDFILE" ] && kill -0 "$(cat "$PIDFILE")" 2>/dev/null; then
        echo "db.sh: a server (pid $(cat "$PIDFILE")) holds $DATA but does not answer" >&2
        log_tail
        exit 1
    fi
    rm -f "$PIDFILE"
    local log_start=0
    if [ -f "$LOG" ]; then
        log_start="$(stat -c %s "$LOG")"
    fi
    # Its own session, so that it outlives this script and its terminal.
    setsid nohup mariadbd --no-defaults --user=root --datadir="$DATA" \
        --bind-address=127.0.0.1 --port="$PORT" --socket="$SOCK" --pid-file="$PIDFILE" \
        --log-error="$LOG" --skip-name-resolve --innodb-buffer-pool-size=512M \
        </dev/null >/dev/null 2>&1 &
    local deadline=$((SECONDS + 30))
    until is_running; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "db.sh: the server did not answer within 30 s" >&2
            log_tail
            exit 1
        fi
        if [ -f "$LOG" ] && tail -c +"$((log_start + 1))" "$LOG" | grep -q "Aborting"; then
            echo "db.sh: the server gave up while starting (port $PORT taken?)" >&2
            log_tail
            exit 1
        fi
        sleep 0.1
    done
    provision
    echo "db.sh: server running on 127.0.0.1:$PORT (data $DATA)"
}

cmd_stop() {
    if [ ! -f "$PIDFILE" ]; then
        echo "db.sh: no server of ours is running on port $PORT"
        return 0
    fi
    local pid
    pid="$(cat "$PIDFILE")"
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "db.sh: stale pid file removed"
        rm -f "$PIDFILE"
        return 0
    fi
    mariadb-admin --no-defaults -uroot -S "$SOCK" shutdown >/dev/null 2>&1 || kill "$pid"
    local deadline=$((SECONDS + 60))
    while kill -0 "$pid" 2>/dev/null; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "db.sh: server $pid did not stop within 60 s" >&2
            log_tail
            exit 1
        fi
        sleep 0.1
    done
    rm -f "$PIDFILE"
    echo "db.sh: server on port $PORT stopped"
}

cmd_status() {
    if is_running; then
        echo "running on 127.0.0.1:$PORT (socket $SOCK, data $DATA)"
        return 0
    fi
    echo "stopped (port $PORT)"
    return 3
}

cmd_reset() {
    cmd_start >/dev/null
    sql_root -e "DROP DATABASE IF EXISTS \`$SCHEMA\`;"
    provision
    echo "db.sh: schema $SCHEMA recreated empty"
}

cmd_sql() {
    if ! is_running; then
        echo "db.sh: the server on port $PORT is not running" >&2
        exit 1
    fi
    sql_root "$SCHEMA" "$@"
}

case "${1:-}" in
    init) cmd_init ;;
    start) cmd_start ;;
    stop) cmd_stop ;;
    status) cmd_status ;;
    reset) cmd_reset ;;
    sql)
        shift
        cmd_sql "$@"
        ;;
    *)
        echo "usage: $0 {init|start|stop|status|reset|sql [options]}" >&2
        exit 2
        ;;
esac
