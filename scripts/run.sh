#!/usr/bin/env bash
# Builds the program, starts the demo's own database server with the demo
# data and runs the program. Without a display it starts a virtual one (Xvfb)
# for as long as the program runs. The database server stays up. The tests
# have a server of their own and never touch the demo's.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
export KOBRELAN_DEMO_PORT="${KOBRELAN_DEMO_PORT:-17001}"

bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKOBRELAN_DB_PORT="$KOBRELAN_DEMO_PORT"
cmake --build build -j"$(nproc)" --target kobrelan
bash scripts/db.sh --demo start

# The demo data goes in when there is no operator to log in with, as on a
# new server: the schema is emptied first.
if [ "$(bash scripts/db.sh --demo sql -N -e 'SELECT COUNT(*) FROM bosslist')" = "0" ]; then
    bash scripts/db.sh --demo reset
    bash scripts/db.sh --demo sql <db/demo.sql
    echo "run.sh: demo data loaded"
fi

echo "run.sh: log in as Rudal with the password 888888"
echo "run.sh: the database server keeps running after the program ends;"
echo "        bash scripts/db.sh --demo stop stops it"
if [ -n "${DISPLAY:-}" ]; then
    exec ./build/kobrelan
fi

# No display: a virtual one (Xvfb) that lives as long as the program does.
xvfb_pid=""
program_pid=""
display_file="$(mktemp)"
end_window() {
    if [ -n "$program_pid" ]; then
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -f "$display_file"
}
trap end_window EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# -displayfd: Xvfb takes the first free display and writes its number once
# it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" </dev/null \
    >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    if [ -s "$display_file" ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
        break
    fi
    sleep 0.1
done
if [ ! -s "$display_file" ]; then
    echo "run.sh: Xvfb did not start" >&2
    exit 1
fi
export DISPLAY=":$(head -n 1 "$display_file")"
echo "run.sh: no display, so the window is on Xvfb $DISPLAY until the program ends. To see it:"
echo "        DISPLAY=$DISPLAY import -window root /tmp/kobrelan.png   (a screenshot)"
echo "        DISPLAY=$DISPLAY xdotool ...                             (to click and type)"

# In the background, so that a signal to this script reaches the trap at
# once and both end.
./build/kobrelan &
program_pid=$!
status=0
wait "$program_pid" || status=$?
program_pid=""
exit "$status"
