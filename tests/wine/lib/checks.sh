# What a Wine test uses besides wine.sh: starting setup, language texts and
# checks.
# The runner provides DIST (the assembled distribution folder), WINAUTO,
# SOURCE_DIR, TEST_OUT (artefacts) and TEST_WORK (scratch), and a prefix with
# a running server.

# Starts setup.exe of a distribution folder in the background, in the locale
# that decides the system language Wine reports (C.UTF-8: English, 1033;
# zh_CN.UTF-8: Simplified Chinese, 2052, ANSI code page 936). Its pid is in
# SETUP_PID; its output goes to setup.log among the artefacts.
start_setup() {
    local dist=${1:-$DIST} locale=${2:-C.UTF-8}
    LC_ALL=$locale "$WINE64" "$dist/setup.exe" >>"$TEST_OUT/setup.log" 2>&1 &
    SETUP_PID=$!
}

# Waits up to $2 seconds for the process $1 to end; fails if it does not.
expect_exit_within() {
    local pid=$1 seconds=$2 waited=0
    while kill -0 "$pid" 2>/dev/null; do
        if (( waited >= seconds * 10 )); then
            fail "process $pid still running after $seconds s"
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    wait "$pid" 2>/dev/null || true
}

# Texts of language file keys as winauto shows them, one line per key:
# lang_text FILE SECTION KEY [KEY...]. *_CN.ini files are GBK.
lang_text() {
    local file=$SOURCE_DIR/resources/language/$1
    shift
    if [[ $file == *_CN.ini ]]; then
        iconv -f GBK -t UTF-8 "$file" | python3 "$HARNESS_DIR/lib/ini.py" "$@"
    else
        python3 "$HARNESS_DIR/lib/ini.py" "$@" <"$file"
    fi
}

# Field $2 (1-based, tab-separated) of the dump line of control $3, from the
# dump text in $1.
control_field() {
    awk -F'\t' -v id="$3" -v n="$2" '$1 == "ctl" && $2 == id { print $n; exit }' <<<"$1"
}

# Text of control $2 in the dump $1.
control_text() {
    control_field "$1" 8 "$2"
}

# Line of a message box listing ("text", "title") without its tag.
msgbox_field() {
    awk -F'\t' -v tag="$2" '$1 == tag { sub(/^[^\t]*\t/, ""); print; exit }' <<<"$1"
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

expect_eq() {
    local what=$1 expected=$2 actual=$3
    if [[ $expected != "$actual" ]]; then
        fail "$what: expected [$expected], got [$actual]"
    fi
    echo "ok: $what = [$actual]"
}

# Fails when a visible top-level window with this title exists.
expect_no_window() {
    if wa wait "$1" 0 >/dev/null 2>&1; then
        fail "unexpected window \"$1\""
    fi
    echo "ok: no window \"$1\""
}

# Screenshot NAME.png into the artefacts when the test runs on a display,
# once the program of the window titled $2 waits for input (has painted).
shot() {
    if [[ -n ${DISPLAY:-} ]]; then
        wa idle "$2"
        screenshot "$TEST_OUT/$1.png"
    fi
}
