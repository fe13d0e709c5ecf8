#!/usr/bin/env bash
# Shows the installer under Wine, in a prefix of its own (build/demo/prefix).
#
#   ./demo.sh                    with DISPLAY set: drive the wizard yourself
#                                without: runs on Xvfb and saves a screenshot
#                                of each window it reaches in out/demo/
#   DEMO_LOCALE=zh_CN.UTF-8 ./demo.sh    the same on a Chinese system
#   DEMO_USB_PRINTERS="0 9 VX-R80 1;1 4 VX-R80 2" ./demo.sh
#                                the same with USB printers connected through
#                                the stand-in USB libraries (maker/usb/README.md)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
source scripts/common.sh
source tests/wine/lib/wine.sh

LOCALE=${DEMO_LOCALE:-C.UTF-8}
DIST=$REPO_DIR/build/win64/dist
WINAUTO=$REPO_DIR/build/win64/tools/winauto/winauto.exe
SHOTS=$REPO_DIR/out/demo
TITLE="Printer Driver Setup"
if [[ $LOCALE == zh_CN* ]]; then
    TITLE="打印机驱动安装程序"
fi

cleanup() {
    wine_server_stop
    xvfb_stop
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# capture TITLE NAME: waits for the window, saves out/demo/NAME.png.
capture() {
    wa wait "$1" 30000 >/dev/null
    wa idle "$1"
    screenshot "$SHOTS/$2.png"
    echo "demo: $SHOTS/$2.png"
}

ensure_packages
echo "== demo: build"
build_win64
if [[ -n ${DEMO_USB_PRINTERS:-} ]]; then
    # A copy of the distribution, so the tests keep theirs without printers.
    rm -rf "$REPO_DIR/build/demo/dist"
    mkdir -p "$REPO_DIR/build/demo"
    cp -a "$DIST" "$REPO_DIR/build/demo/dist"
    DIST=$REPO_DIR/build/demo/dist
    tr ';' '\n' <<<"$DEMO_USB_PRINTERS" | sed 's/$/\r/' >>"$DIST/UsbPrinters.txt"
fi
echo "== demo: prefix build/demo/prefix"
wine_boot "$REPO_DIR/build/demo/prefix"
wine_use_display

if [[ -n ${DISPLAY:-} ]]; then
    echo "== demo: setup.exe on $DISPLAY; close the wizard to end the demo"
    wine_server_start
    LC_ALL=$LOCALE "$WINE64" "$DIST/setup.exe" || true
    exit 0
fi

xvfb_start
wine_server_start
rm -rf "$SHOTS"
mkdir -p "$SHOTS"
echo "== demo: setup.exe on Xvfb $DISPLAY"
LC_ALL=$LOCALE "$WINE64" "$DIST/setup.exe" >"$REPO_DIR/build/demo/setup.log" 2>&1 &
capture "$TITLE" 01-wizard
# Licence accepted, the default model, advanced mode, then the port page.
wa click "$TITLE" 1057 >/dev/null
wa click "$TITLE" 1 >/dev/null
capture "$TITLE" 02-model
wa click "$TITLE" 1 >/dev/null
capture "$TITLE" 03-mode
wa click "$TITLE" 1067 >/dev/null
wa click "$TITLE" 1 >/dev/null
# With two printers connected the port page first says so in a message box.
if [[ -n ${DEMO_USB_PRINTERS:-} ]] && wa msgbox 3000 >/dev/null 2>&1; then
    screenshot "$SHOTS/04-port-message.png"
    echo "demo: $SHOTS/04-port-message.png"
    wa answer 1 >/dev/null
fi
capture "$TITLE" 04-port
# The wizard closes as on Cancel; the server stop on exit ends what is left.
wa close "$TITLE"
wa gone "$TITLE" 10000 || echo "demo: the wizard did not close" >&2
echo "demo: done"
