#!/usr/bin/env bash
# Builds the program, starts the local database with the demo data and runs
# the program. Without a display it starts a virtual one (Xvfb :99).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
export KOBRELAN_DB_PORT="${KOBRELAN_DB_PORT:-17002}"

bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKOBRELAN_DB_PORT="$KOBRELAN_DB_PORT"
if [ -f src/app/main.cpp ]; then
    cmake --build build -j"$(nproc)" --target kobrelan
fi
bash scripts/db.sh start

# The demo data goes in when there is no operator to log in with, as on a
# new server or after the tests (which empty the tables and may leave a few
# rows of their own): the schema is emptied first.
if [ "$(bash scripts/db.sh sql -N -e 'SELECT COUNT(*) FROM bosslist')" = "0" ]; then
    bash scripts/db.sh reset
    bash scripts/db.sh sql <db/demo.sql
    echo "run.sh: demo data loaded"
fi

if [ ! -x build/kobrelan ]; then
    echo "run.sh: this tree has no window sources (src/app/main.cpp): the database is ready," >&2
    echo "        but there is no program to run" >&2
    exit 1
fi

if [ -z "${DISPLAY:-}" ]; then
    if [ ! -S /tmp/.X11-unix/X99 ]; then
        setsid nohup Xvfb :99 -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
        for _ in $(seq 50); do
            [ -S /tmp/.X11-unix/X99 ] && break
            sleep 0.1
        done
    fi
    export DISPLAY=:99
    echo "run.sh: no display, so the window is on Xvfb :99. To see it:"
    echo "        DISPLAY=:99 import -window root /tmp/kobrelan.png   (a screenshot)"
    echo "        DISPLAY=:99 xdotool ...                             (to click and type)"
fi
echo "run.sh: log in as Rudal with the password 888888"
exec ./build/kobrelan
