#!/usr/bin/env bash
# Wine end-to-end tests.
#
#   tests/wine/run.sh [NAME...]      all tests, or the named ones
#
# Needs the x86_64 build with its distribution folder (build/win64/dist) and
# winauto (build/win64/tools/winauto/winauto.exe); DIST and WINAUTO override
# them. One prefix is booted per run (build/wine/template); every test runs
# in a copy of it with a server of its own, under a timeout, and leaves its
# log and screenshots in build/wine/out/<test>/. A test is a function named
# test_* in tests/wine/cases/*.sh; one whose definition line ends with the
# comment "# display" runs on an Xvfb display of its own (screenshots) instead
# of Wine's null graphics driver.
set -euo pipefail

HARNESS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
SOURCE_DIR=$(cd "$HARNESS_DIR/../.." && pwd)
BUILD_DIR=$SOURCE_DIR/build/win64
DIST=${DIST:-$BUILD_DIR/dist}
WINAUTO=${WINAUTO:-$BUILD_DIR/tools/winauto/winauto.exe}
WINE_DIR=$SOURCE_DIR/build/wine
TEST_TIMEOUT=${WINE_TEST_TIMEOUT:-90}
export HARNESS_DIR SOURCE_DIR DIST WINAUTO

source "$HARNESS_DIR/lib/wine.sh"

now() { date +%s.%N; }
seconds_since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.1f", b - a }'; }

# Lists "file<TAB>function<TAB>display" for every test, in file and
# definition order; display is 1 for a test marked "# display".
list_tests() {
    local file
    for file in "$HARNESS_DIR"/cases/*.sh; do
        sed -nE 's/^(test_[A-Za-z0-9_]+)\(\) *\{ *(# *(display))? *$/\1 \3/p' "$file" |
            while read -r fn display; do
                printf '%s\t%s\t%s\n' "$file" "$fn" "${display:+1}"
            done
    done
}

selected() {
    local name=$1 wanted
    (( ${#WANTED[@]} == 0 )) && return 0
    for wanted in "${WANTED[@]}"; do
        [[ $name == "$wanted" ]] && return 0
    done
    return 1
}

# Stops what the current test left running: its prefix's server (with every
# program in it) and its Xvfb.
stop_test_services() {
    wine_server_stop
    xvfb_stop
    unset DISPLAY
}

cleanup() {
    stop_test_services
}
trap cleanup EXIT
trap 'exit 130' INT TERM

PASSED=0
FAILED=0
report() {
    local line=$1
    echo "$line"
    echo "$line" >>"$WINE_DIR/out/summary.txt"
}

run_test() {
    local file=$1 fn=$2 display=$3 name=${2#test_}
    local out=$WINE_DIR/out/$name work=$WINE_DIR/run/$name
    rm -rf "$out" "$work"
    mkdir -p "$out" "$work"
    local start
    start=$(now)
    cp -a "$WINE_DIR/template" "$work/prefix"
    wine_use_prefix "$work/prefix"
    if [[ $display == 1 ]]; then
        xvfb_start
        wine_use_display
    fi
    wine_server_start

    local rc=0
    TEST_OUT=$out TEST_WORK=$work timeout -k 5 "$TEST_TIMEOUT" \
        bash "$HARNESS_DIR/lib/run_one.sh" "$file" "$fn" >"$out/test.log" 2>&1 </dev/null || rc=$?

    local reason=
    if (( rc != 0 )); then
        if (( rc == 124 || rc == 137 )); then
            reason="timed out after $TEST_TIMEOUT s"
        else
            reason=$(sed -n 's/^FAIL: //p' "$out/test.log" | tail -n 1)
            [[ -n $reason ]] || reason=$(tail -n 1 "$out/test.log")
        fi
        # What was on the screen when it failed.
        wa list >"$out/windows.txt" 2>&1 || true
        if [[ $display == 1 ]]; then
            screenshot "$out/failure.png" || true
        fi
    fi
    stop_test_services
    rm -rf "$work"
    local elapsed
    elapsed=$(seconds_since "$start")
    if (( rc == 0 )); then
        PASSED=$((PASSED + 1))
        report "$(printf 'PASS  %-36s %5s s' "$name" "$elapsed")"
    else
        FAILED=$((FAILED + 1))
        report "$(printf 'FAIL  %-36s %5s s  %s' "$name" "$elapsed" "$reason")"
    fi
}

WANTED=("$@")
TEST_FILES=()
TEST_FNS=()
TEST_DISPLAYS=()
while IFS=$'\t' read -r file fn display; do
    if selected "${fn#test_}"; then
        TEST_FILES+=("$file")
        TEST_FNS+=("$fn")
        TEST_DISPLAYS+=("$display")
    fi
done < <(list_tests)
for wanted in "${WANTED[@]}"; do
    if ! printf '%s\n' "${TEST_FNS[@]}" | grep -qx "test_$wanted"; then
        echo "wine: no test named $wanted" >&2
        exit 2
    fi
done

rm -rf "$WINE_DIR/out" "$WINE_DIR/run"
mkdir -p "$WINE_DIR/out"
: >"$WINE_DIR/out/summary.txt"

if [[ ! -f $DIST/setup.exe || ! -f $WINAUTO ]]; then
    echo "wine: missing $DIST/setup.exe or $WINAUTO (build build/win64 with targets setup, winauto, dist)" >&2
    echo "wine: 0 passed, ${#TEST_FNS[@]} failed"
    exit 1
fi

RUN_START=$(now)
BOOT_START=$(now)
wine_boot "$WINE_DIR/template"
echo "wine: prefix booted in $(seconds_since "$BOOT_START") s"

for i in "${!TEST_FNS[@]}"; do
    run_test "${TEST_FILES[i]}" "${TEST_FNS[i]}" "${TEST_DISPLAYS[i]}"
done

echo "wine: $((PASSED + FAILED)) tests in $(seconds_since "$RUN_START") s; artefacts in $WINE_DIR/out"
echo "wine: $PASSED passed, $FAILED failed"
(( FAILED == 0 ))
