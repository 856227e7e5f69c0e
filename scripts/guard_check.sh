#!/usr/bin/env bash
# Shows that the database and window tests and the database benchmarks of a
# built tree refuse every server that is not a test server of db.sh, and
# write nothing to it:
#   1. a server set up by hand as a shop's would be (account, schema, rows);
#   2. the same server with a forged test marker;
#   3. the demo's server of db.sh, with the demo data.
# Each listens on the port the tree is built for; the tree's test server is
# stopped meanwhile and started again afterwards. Builds nothing.
#   bash scripts/guard_check.sh <build dir>
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(cd "${1:?usage: guard_check.sh <build dir>}" && pwd)"
export PATH="$PATH:/usr/sbin:/sbin"

cache() { sed -n "s/^$1:[A-Z]*=//p" "$BUILD/CMakeCache.txt"; }
PORT="$(cache KOBRELAN_DB_PORT)"
HOST="$(cache KOBRELAN_DB_HOST)"
if [ "$HOST" != "127.0.0.1" ] || [ -z "$PORT" ]; then
    echo "guard_check: $BUILD is built for $HOST:$PORT; the check needs a tree for 127.0.0.1" >&2
    exit 2
fi
export KOBRELAN_DB_PORT="$PORT"
export QT_QPA_PLATFORM=offscreen
export KOBRELAN_SOURCE_DIR="$ROOT"

programs=()
for program in "$BUILD"/tests/db_*_test "$BUILD"/tests/gui_*_test; do
    if [ -x "$program" ]; then
        programs+=("$program")
    fi
done
for bench in members_bench records_bench; do
    if [ ! -x "$BUILD/bench/$bench" ]; then
        echo "guard_check: $BUILD/bench/$bench is not built" >&2
        exit 2
    fi
done
if [ "${#programs[@]}" -eq 0 ]; then
    echo "guard_check: no db or gui tests built in $BUILD/tests" >&2
    exit 2
fi

SCRATCH="$(mktemp -d /tmp/kobrelan-guard.XXXXXX)"
SOCK="$SCRATCH/mariadbd.sock"
test_server_was_up=0
if bash "$ROOT/scripts/db.sh" status >/dev/null; then
    test_server_was_up=1
fi

stop_scratch() {
    if [ -f "$SCRATCH/mariadbd.pid" ]; then
        local pid
        pid="$(cat "$SCRATCH/mariadbd.pid")"
        mariadb-admin --no-defaults -uroot -S "$SOCK" shutdown >/dev/null 2>&1 || kill "$pid" || true
        while kill -0 "$pid" 2>/dev/null; do sleep 0.1; done
        rm -f "$SCRATCH/mariadbd.pid"
    fi
}
finish() {
    stop_scratch
    KOBRELAN_DEMO_PORT="$PORT" KOBRELAN_DEMO_DIR="$SCRATCH/demo" \
        bash "$ROOT/scripts/db.sh" --demo stop >/dev/null 2>&1 || true
    rm -rf "$SCRATCH"
    if [ "$test_server_was_up" -eq 1 ]; then
        bash "$ROOT/scripts/db.sh" start >/dev/null
    fi
}
trap finish EXIT

if [ "$test_server_was_up" -eq 1 ]; then
    bash "$ROOT/scripts/db.sh" stop >/dev/null
fi

sql() { mariadb --no-defaults -uroot -S "$SOCK" --default-character-set=utf8mb4 "$@"; }
dump() {  # as db.sh dump makes it
    mariadb-dump --no-defaults -uroot -S "$SOCK" --default-character-set=binary \
        --skip-dump-date --skip-extended-insert --order-by-primary --databases kobrelan
}

# Every program must fail, naming the server, and the schema's dump must not
# change by a byte.
expect_refusals() {  # what the server is
    local before="$SCRATCH/before.sql" after="$SCRATCH/after.sql" out="$SCRATCH/out.txt"
    local wanted="refused: the server on 127.0.0.1:$PORT is not a test server made by scripts/db.sh"
    dump >"$before"
    local failed=0 status
    for program in "${programs[@]}" "$BUILD/bench/members_bench" "$BUILD/bench/records_bench 10"; do
        status=0
        # shellcheck disable=SC2086  # records_bench takes its row count
        timeout 120 $program >"$out" 2>&1 </dev/null || status=$?
        if [ "$status" -eq 0 ] || ! grep -qF "$wanted" "$out"; then
            echo "guard_check: $program did not refuse $1 (exit $status):" >&2
            tail -n 15 "$out" >&2
            failed=1
        fi
    done
    dump >"$after"
    if ! cmp -s "$before" "$after"; then
        echo "guard_check: the rows of $1 changed:" >&2
        diff "$before" "$after" | head -n 20 >&2
        failed=1
    fi
    if [ "$failed" -ne 0 ]; then
        exit 1
    fi
    echo "guard_check: ${#programs[@]} test programs and 2 benchmarks refused $1; its rows are unchanged"
}

# 1. As a technician would set up a shop's server, by hand.
mariadb-install-db --no-defaults --datadir="$SCRATCH/data" --user=root --force \
    --auth-root-authentication-method=normal --skip-test-db >"$SCRATCH/install.log" 2>&1
setsid mariadbd --no-defaults --user=root --datadir="$SCRATCH/data" --bind-address=127.0.0.1 \
    --port="$PORT" --socket="$SOCK" --pid-file="$SCRATCH/mariadbd.pid" \
    --log-error="$SCRATCH/mariadbd.log" --skip-name-resolve </dev/null >/dev/null 2>&1 &
deadline=$((SECONDS + 30))
until mariadb-admin --no-defaults -uroot -S "$SOCK" --connect-timeout=2 ping >/dev/null 2>&1; do
    if [ "$SECONDS" -ge "$deadline" ]; then
        echo "guard_check: the scratch server on port $PORT did not start" >&2
        tail -n 20 "$SCRATCH/mariadbd.log" >&2
        exit 1
    fi
    sleep 0.1
done
# shellcheck source=endpoint.sh
. "$ROOT/scripts/endpoint.sh"
password="$(endpoint_value PASSWORD)"
sql <<SQL
CREATE DATABASE kobrelan DEFAULT CHARACTER SET gbk;
CREATE USER 'kobrelan'@'127.0.0.1' IDENTIFIED BY '$password';
CREATE USER 'kobrelan'@'localhost' IDENTIFIED BY '$password';
GRANT ALL PRIVILEGES ON kobrelan.* TO 'kobrelan'@'127.0.0.1';
GRANT ALL PRIVILEGES ON kobrelan.* TO 'kobrelan'@'localhost';
SQL
sql kobrelan <"$ROOT/db/schema.sql"
sql kobrelan <<'SQL'
INSERT INTO bosslist (boss_tel, boss_name, boss_key) VALUES ('Rudal', '店长', '888888');
INSERT INTO xmlist (xm_name, xm_money) VALUES ('足疗', '88'), ('修脚', '30');
INSERT INTO userlist (user_id, user_name, user_tel, user_notes)
  VALUES (1001, '王小明', '13912345678', '老顾客'), (1002, '李丽', '13600000000', '');
INSERT INTO paylist (pay_time, pay_money, pay_give, pay_total, pay_method, user_id, user_name,
                     boss_id, boss_name)
  VALUES ('2026-03-01 10:00:00', '500', '50', '550', '现金', 1001, '王小明', '1', '店长');
INSERT INTO costlist (cost_date, cost_money, xm_id, xm_name, xm_money, user_id, user_name,
                      boss_id, boss_name)
  VALUES ('2026-03-02 15:30:00', '88', '1', '足疗', '88', 1001, '王小明', '1', '店长');
SQL
expect_refusals "a server set up by hand"

# 2. A marker made by someone else: its token is not the one db.sh wrote.
sql <<'SQL'
CREATE DATABASE kobrelan_test_marker;
CREATE TABLE kobrelan_test_marker.marker (token VARCHAR(64) NOT NULL);
INSERT INTO kobrelan_test_marker.marker VALUES ('00000000000000000000000000000000');
GRANT SELECT ON kobrelan_test_marker.* TO 'kobrelan'@'127.0.0.1';
GRANT SELECT ON kobrelan_test_marker.* TO 'kobrelan'@'localhost';
SQL
expect_refusals "a server with a forged marker"
stop_scratch

# 3. The demo's server as run.sh starts it.
export KOBRELAN_DEMO_PORT="$PORT" KOBRELAN_DEMO_DIR="$SCRATCH/demo"
bash "$ROOT/scripts/db.sh" --demo start >/dev/null
bash "$ROOT/scripts/db.sh" --demo sql <"$ROOT/db/demo.sql"
SOCK="$SCRATCH/demo/mariadbd.sock"
expect_refusals "the demo's server"
