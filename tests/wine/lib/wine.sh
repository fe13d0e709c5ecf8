# Wine prefixes, wine servers and Xvfb displays, shared by the Wine test
# harness and demo.sh. Source it; it defines functions and a few variables.
# Only the 64-bit loader is used: this machine runs no 32-bit code.

WINE64=/usr/lib/wine/wine64
WINESERVER64=/usr/lib/wine/wineserver64

# Points every later wine call at the prefix in $1.
wine_use_prefix() {
    export WINEPREFIX=$1
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINELOADER=$WINE64
    export WINESERVER=$WINESERVER64
    # No Mono or Gecko: no installer prompts and a faster boot.
    export WINEDLLOVERRIDES="mscoree,mshtml="
}

# Boots a fresh prefix in $1 and waits until it has settled. The null
# graphics driver lets dialogs run without any display; for screenshots a
# copy is switched to x11 (wine_use_display).
wine_boot() {
    local prefix=$1
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    wine_use_prefix "$prefix"
    env -u DISPLAY "$WINE64" wineboot -i >/dev/null 2>&1
    env -u DISPLAY "$WINE64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    "$WINESERVER64" -w
}

# Keeps the prefix's server running between programs: a small program then
# starts in a fraction of a second instead of a full server start.
wine_server_start() {
    "$WINESERVER64" -p
}

# Ends every program of the current prefix and its server.
wine_server_stop() {
    [[ -n ${WINEPREFIX:-} && -d $WINEPREFIX ]] || return 0
    "$WINESERVER64" -k >/dev/null 2>&1 || true
    "$WINESERVER64" -w >/dev/null 2>&1 || true
}

# Starts Xvfb on a free display; sets XVFB_PID and DISPLAY.
xvfb_start() {
    local fifo number
    fifo=$(mktemp -u /tmp/xvfb.XXXXXX)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    read -r -t 10 number <"$fifo" || true
    rm -f "$fifo"
    if [[ -z ${number:-} ]]; then
        echo "Xvfb did not start" >&2
        xvfb_stop
        return 1
    fi
    export DISPLAY=:$number
}

xvfb_stop() {
    if [[ -n ${XVFB_PID:-} ]]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}

# Switches the current prefix, whose server must be down, from the null
# driver to the X display. The value is edited in the saved registry: any
# wine command would start a desktop process that keeps the null driver.
wine_use_display() {
    sed -i 's/^"Graphics"="null"$/"Graphics"="x11"/' "$WINEPREFIX/user.reg"
    grep -q '^"Graphics"="x11"$' "$WINEPREFIX/user.reg" || {
        echo "no graphics driver setting in $WINEPREFIX/user.reg" >&2
        return 1
    }
}

# Runs winauto ($WINAUTO) in the current prefix. It always runs in a UTF-8
# Unix locale, so that Wine decodes its UTF-8 arguments (the Chinese titles)
# correctly whatever locale the program under test runs in.
wa() {
    LC_ALL=C.UTF-8 "$WINE64" "$WINAUTO" "$@"
}

# Saves the whole screen of $DISPLAY as a PNG.
screenshot() {
    import -window root -display "$DISPLAY" "$1"
}
