#!/usr/bin/env bash
# Takes the README's screenshot: starts the built program under Xvfb with a settings file of its own,
# shows the legend and the pre-flop key, plays 8 and 9 of spades, a flop of 2 and 3 of spades and the
# king of hearts, the ace of diamonds on the turn, types a pot of 10, and saves the window.
#   bash tools/screenshot.sh [build dir] [output png]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build}
out=${2:-$root/resources/screenshot.png}
need=()
for p in xvfb xdotool imagemagick; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if ((${#need[@]})); then apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y "${need[@]}"; fi

home=$(mktemp -d)
trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config LANG=en_US.UTF-8 DISPLAY=:77
Xvfb :77 -screen 0 1024x600x24 & xvfb=$!
sleep 1
"$build/bin/quorvane" & app=$!
sleep 4 # the start-up form gives way to the main window after two seconds
win=$(xdotool search --name "Quorvane v" | tail -1)
xdotool key --window "$win" alt+f; sleep 0.3; xdotool key l; sleep 0.5
xdotool key --window "$win" alt+f; sleep 0.3; xdotool key p; sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$win")"
menu=22 # the menu bar's height above the client area, in pixels
click() { # suit (1 spades .. 4 diamonds), rank (1 deuce .. 13 ace); 15 twips a pixel
    xdotool mousemove $((X + (600 + 240 * ($2 - 1)) / 15)) $((Y + menu + (660 + 600 * ($1 - 1)) / 15)) click 1
    sleep 0.3
}
click 1 7; click 1 8; click 1 1; click 1 2; click 2 12; click 4 13
xdotool type --delay 100 "10"
sleep 0.5
import -window root -trim +repage "$out"
echo "saved $out"
