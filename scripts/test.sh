#!/usr/bin/env bash
# Builds and runs every test: an AddressSanitizer+UBSan tree (build-asan)
# runs the whole suite, a ThreadSanitizer tree (build-tsan) the tests
# labelled threads where they are declared (tests/CMakeLists.txt), and shows
# that the tests and benchmarks refuse any other server than the test server
# (scripts/guard_check.sh). Starts the test database if it is not running and
# stops it again at the end in that case. The demo's server (run.sh) is never
# touched.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
export KOBRELAN_DB_PORT="${KOBRELAN_DB_PORT:-17002}"
JOBS="$(nproc)"

bash scripts/setup.sh

started_db=0
stop_db() {
    if [ "$started_db" -eq 1 ]; then
        bash scripts/db.sh stop || true
    fi
}
trap stop_db EXIT
if ! bash scripts/db.sh status >/dev/null; then
    bash scripts/db.sh start
    started_db=1
else
    bash scripts/db.sh start  # brings the account and schema up to date
fi

configure() {  # build dir, extra options
    local dir="$1"
    shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DKOBRELAN_DB_PORT="$KOBRELAN_DB_PORT" "$@"
}

# Leaks are checked; Qt and the client library keep some process-wide caches
# that are reachable at exit and so not reported.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1"
export QT_QPA_PLATFORM=offscreen

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
configure build-asan -DKOBRELAN_ASAN=ON
cmake --build build-asan -j"$JOBS"
# Unit tests run side by side; db and gui tests are marked RUN_SERIAL.
(cd build-asan && ctest --output-on-failure -j"$JOBS" --timeout 300)

echo "== The tests and benchmarks refuse a server that is not a test server"
bash scripts/guard_check.sh build-asan

echo "== ThreadSanitizer"
configure build-tsan -DKOBRELAN_TSAN=ON
cmake --build build-tsan -j"$JOBS"
(cd build-tsan && ctest --output-on-failure -L threads --timeout 300)

echo "test.sh: all tests passed"
