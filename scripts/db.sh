#!/usr/bin/env bash
# Private MariaDB servers, one for the tests and one for the demo:
#   bash scripts/db.sh [--demo] {init|start|stop|status|reset|dump}
#   bash scripts/db.sh [--demo] sql [mariadb options]   (as root, on the schema)
# The test server listens on 127.0.0.1:${KOBRELAN_DB_PORT:-17002} and keeps its
# data directory, socket, pid file and log under ${KOBRELAN_DB_DIR:-.run/db-<port>};
# with --demo the demo's server on 127.0.0.1:${KOBRELAN_DEMO_PORT:-17001}, under
# ${KOBRELAN_DEMO_DIR:-.run/demo-<port>}. /etc/mysql is ignored; no systemd is needed.
#
# Only a test server gets the test marker: a schema kobrelan_test_marker whose
# one row holds the random token db.sh wrote to <dir>/test-marker when it made
# the data directory. The tests and benchmarks refuse any server without it,
# so that they never empty the demo's tables or a shop's.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ROLE="test"
if [ "${1:-}" = "--demo" ]; then
    ROLE="demo"
    shift
fi
TEST_PORT="${KOBRELAN_DB_PORT:-17002}"
TEST_DIR="${KOBRELAN_DB_DIR:-$ROOT/.run/db-$TEST_PORT}"
DEMO_PORT="${KOBRELAN_DEMO_PORT:-17001}"
DEMO_DIR="${KOBRELAN_DEMO_DIR:-$ROOT/.run/demo-$DEMO_PORT}"
if [ "$ROLE" = "demo" ]; then
    PORT="$DEMO_PORT"
    DIR="$DEMO_DIR"
    NAME="the demo's server"
else
    PORT="$TEST_PORT"
    DIR="$TEST_DIR"
    NAME="the test server"
fi
if [ "$(realpath -m "$DEMO_DIR")" = "$(realpath -m "$TEST_DIR")" ]; then
    echo "db.sh: the demo and the tests cannot share $DIR" >&2
    exit 2
fi
DATA="$DIR/data"
PIDFILE="$DIR/mariadbd.pid"
LOG="$DIR/mariadbd.log"
SOCK="$DIR/mariadbd.sock"
MARKER_FILE="$DIR/test-marker"
MARKER_SCHEMA="kobrelan_test_marker"
# A Unix socket path must stay short (108 bytes).
if [ "${#SOCK}" -gt 100 ]; then
    SOCK="/tmp/kobrelan-db-$PORT-$(printf '%s' "$DIR" | md5sum | cut -c1-8).sock"
fi
# shellcheck source=endpoint.sh
. "$ROOT/scripts/endpoint.sh"
SCHEMA="$(endpoint_value SCHEMA)"
ACCOUNT="$(endpoint_value ACCOUNT)"

export PATH="$PATH:/usr/sbin:/sbin"

# The account password lives in one place, db/endpoint.conf, with the
# account and the schema.
password() { endpoint_value PASSWORD; }

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

# A data directory without the marker file that a test server gets: before
# the demo had a server of its own, demo and tests shared this one, so it may
# hold what was entered in the demo. The tests leave it alone.
check_store() {
    if [ "$ROLE" = "test" ] && [ -d "$DATA/mysql" ] && [ ! -s "$MARKER_FILE" ]; then
        echo "db.sh: $DIR holds no test marker: it was made before the demo had a server" >&2
        echo "       of its own and may hold what was entered in the demo, so the tests do" >&2
        echo "       not use it. To keep it as the demo's data:" >&2
        echo "         bash scripts/db.sh stop; mv '$DIR' '$DEMO_DIR'" >&2
        echo "       (scripts/run.sh then runs the demo on it)," >&2
        echo "       or delete it: bash scripts/db.sh stop; rm -rf '$DIR'" >&2
        exit 1
    fi
    if [ "$ROLE" = "demo" ] && [ -e "$MARKER_FILE" ]; then
        echo "db.sh: $DIR belongs to a test server (it has $MARKER_FILE); the demo cannot use it" >&2
        exit 1
    fi
}

cmd_init() {
    mkdir -p "$DIR"
    check_store
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
    if [ "$ROLE" = "test" ]; then
        od -An -N16 -tx1 /dev/urandom | tr -d ' \n' >"$MARKER_FILE"
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
    if [ "$ROLE" = "test" ]; then
        # The program's account may read the marker, never change it.
        sql_root <<SQL
CREATE DATABASE IF NOT EXISTS \`$MARKER_SCHEMA\`;
CREATE TABLE IF NOT EXISTS \`$MARKER_SCHEMA\`.\`marker\` (\`token\` VARCHAR(64) NOT NULL);
DELETE FROM \`$MARKER_SCHEMA\`.\`marker\`;
INSERT INTO \`$MARKER_SCHEMA\`.\`marker\` VALUES ('$(cat "$MARKER_FILE")');
GRANT SELECT ON \`$MARKER_SCHEMA\`.* TO '$ACCOUNT'@'127.0.0.1';
GRANT SELECT ON \`$MARKER_SCHEMA\`.* TO '$ACCOUNT'@'localhost';
SQL
        # The tests' own account for the server's general log: they count the
        # statements an action sends. The program's account stays without it.
        sql_root <<SQL
CREATE USER IF NOT EXISTS '${ACCOUNT}_log'@'127.0.0.1' IDENTIFIED BY '$pw';
ALTER USER '${ACCOUNT}_log'@'127.0.0.1' IDENTIFIED BY '$pw';
GRANT SUPER ON *.* TO '${ACCOUNT}_log'@'127.0.0.1';
GRANT SELECT, DROP ON \`mysql\`.\`general_log\` TO '${ACCOUNT}_log'@'127.0.0.1';
SQL
    fi
}

cmd_start() {
    check_store
    if is_running; then
        echo "db.sh: $NAME is already running on 127.0.0.1:$PORT (socket $SOCK)"
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
    echo "db.sh: $NAME is running on 127.0.0.1:$PORT (data $DATA)"
}

cmd_stop() {
    if [ ! -f "$PIDFILE" ]; then
        echo "db.sh: $NAME is not running (port $PORT)"
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
    echo "db.sh: $NAME on port $PORT stopped"
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
        echo "db.sh: $NAME on port $PORT is not running" >&2
        exit 1
    fi
    sql_root "$SCHEMA" "$@"
}

# The schema's rows, byte for byte, as a text to compare.
cmd_dump() {
    if ! is_running; then
        echo "db.sh: $NAME on port $PORT is not running" >&2
        exit 1
    fi
    mariadb-dump --no-defaults -uroot -S "$SOCK" --default-character-set=binary \
        --skip-dump-date --skip-extended-insert --order-by-primary --databases "$SCHEMA"
}

case "${1:-}" in
    init) cmd_init ;;
    start) cmd_start ;;
    stop) cmd_stop ;;
    status) cmd_status ;;
    reset) cmd_reset ;;
    dump) cmd_dump ;;
    sql)
        shift
        cmd_sql "$@"
        ;;
    *)
        echo "usage: $0 [--demo] {init|start|stop|status|reset|dump|sql [options]}" >&2
        exit 2
        ;;
esac
