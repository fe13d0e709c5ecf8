#!/bin/sh
# Runs fwdemo.exe under Wine on a private X display and writes a screenshot
# of the wizard frame, then of the About box opened with F1.
#   tools/fwdemo/shot.sh BUILD_DIR OUT_DIR
# BUILD_DIR is an x86_64 mingw build with the targets fwdemo and winauto.
# Needs wine64, xvfb, imagemagick and xdotool.
set -eu
build=$(cd "$1" && pwd)
out=$(mkdir -p "$2" && cd "$2" && pwd)
src=$(cd "$(dirname "$0")/../.." && pwd)
display=:91

export WINEPREFIX="$out/prefix" WINEDEBUG=-all DISPLAY=$display
export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
wine=/usr/lib/wine/wine64
winauto="$wine $build/tools/winauto/winauto.exe"
title="Printer Driver Setup"

Xvfb $display -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; /usr/lib/wine/wineserver64 -k 2>/dev/null || true' EXIT
[ -d "$WINEPREFIX" ] || { $wine wineboot -i >/dev/null 2>&1; /usr/lib/wine/wineserver64 -w; }

mkdir -p "$out/dist/DRVCONFIG"
cp "$build/tools/fwdemo/fwdemo.exe" "$out/dist/"
cp "$src/sample/DRVCONFIG/Left.bmp" "$out/dist/DRVCONFIG/"
(cd "$out/dist" && $wine fwdemo.exe >/dev/null 2>&1 &)

$winauto wait "$title" 20000 >/dev/null
$winauto idle "$title"
import -window root -display $display "$out/wizard.png"
xdotool search --name "$title" windowfocus --sync
xdotool key F1
$winauto wait About 5000 >/dev/null
$winauto idle About
import -window root -display $display "$out/about.png"
xdotool key Escape
$winauto gone About 5000
$winauto click "$title" 2
$winauto gone "$title" 5000
echo "screenshots: $out/wizard.png $out/about.png"
