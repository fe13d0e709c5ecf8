#!/usr/bin/env bash
# Builds and tests the project on a fresh Debian 12 machine (run as root).
#
#   ./test.sh           native and Wine
#   ./test.sh native    build/native and its tests (ctest)
#   ./test.sh wine      build/win64 (programs, tools, dist) and build/win32
#                       (setup, compile and link only), then tests/wine
#
# The last line counts the tests of both halves: "N passed, N failed". A
# build that fails counts as one failed test of its half; the Wine tests
# still run when the distribution folder and winauto could be built.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
source scripts/common.sh

MODE=${1:-all}
case $MODE in
    all | native | wine) ;;
    *) echo "usage: $0 [native|wine]" >&2; exit 2 ;;
esac

PASSED=0
FAILED=0

now() { date +%s; }

run_native() {
    local start log=build/native/ctest.log rc=0 counts failed total
    start=$(now)
    echo "== native: build"
    if ! build_native; then
        echo "native: build failed"
        FAILED=$((FAILED + 1))
        return
    fi
    echo "== native: tests"
    ctest --test-dir build/native --output-on-failure -j "$(nproc)" 2>&1 | tee "$log" || rc=$?
    counts=$(sed -nE 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1 \2/p' "$log" | tail -n 1)
    if [[ -n $counts ]]; then
        read -r failed total <<<"$counts"
        PASSED=$((PASSED + total - failed))
        FAILED=$((FAILED + failed))
    elif (( rc != 0 )); then
        FAILED=$((FAILED + 1))
    fi
    echo "native: done in $(( $(now) - start )) s"
}

run_wine() {
    local start log=build/wine-run.log rc=0 counts passed failed
    start=$(now)
    echo "== wine: build win64 and win32"
    if ! build_win64; then
        echo "wine: win64 build failed"
        FAILED=$((FAILED + 1))
    fi
    local exe
    for exe in build/win64/setup.exe build/win64/uninstall.exe; do
        if [[ -f $exe ]]; then
            report_stripped_size "$REPO_DIR/$exe" x86_64-w64-mingw32-strip
        fi
    done
    if build_win32; then
        report_stripped_size "$REPO_DIR/build/win32/setup.exe" i686-w64-mingw32-strip
    else
        echo "wine: win32 build failed"
        FAILED=$((FAILED + 1))
    fi
    echo "== wine: tests"
    tests/wine/run.sh 2>&1 | tee "$log" || rc=$?
    counts=$(sed -nE 's/^wine: ([0-9]+) passed, ([0-9]+) failed$/\1 \2/p' "$log" | tail -n 1)
    if [[ -n $counts ]]; then
        read -r passed failed <<<"$counts"
        PASSED=$((PASSED + passed))
        FAILED=$((FAILED + failed))
    elif (( rc != 0 )); then
        FAILED=$((FAILED + 1))
    fi
    echo "wine: done in $(( $(now) - start )) s"
}

ensure_packages
mkdir -p build
if [[ $MODE == all || $MODE == native ]]; then
    run_native
fi
if [[ $MODE == all || $MODE == wine ]]; then
    run_wine
fi
echo "$PASSED passed, $FAILED failed"
(( FAILED == 0 ))
