#!/usr/bin/env bash
# Takes the README's screenshots: starts the built program under Xvfb with a settings file of its own,
# sets the zoom, shows the legend and the pre-flop key, types 8 and 9 of spades, a flop of 2 and 3 of
# spades and the king of hearts and the ace of diamonds on the turn (File > Enter Cards), types a pot of
# 10, and saves the window.
#   bash tools/screenshot.sh [build dir] [output png] [zoom percent: 100 125 150 175 200 250 300] [showdown]
# With "showdown" as the fourth argument the Showdown Odds panel is shown too, against two opponents.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build}
zoom=${3:-100}
panel=${4:-}
out=${2:-$root/resources/screenshot.png}
steps=(100 125 150 175 200 250 300)
presses=-1
for i in "${!steps[@]}"; do [[ ${steps[$i]} == "$zoom" ]] && presses=$i; done
if ((presses < 0)); then echo "zoom must be one of ${steps[*]}" >&2; exit 2; fi
need=()
for p in xvfb xdotool imagemagick; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if ((${#need[@]})); then apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y "${need[@]}"; fi

# A screen that holds the zoomed window: 10650 x 4995 twips at 15 twips a pixel, times the zoom.
width=$(((10650 + 6585) * zoom / 1500 + 200)) height=$((4995 * zoom / 1500 + 200))
((width < 1024)) && width=1024
((height < 600)) && height=600
home=$(mktemp -d)
trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config LANG=en_US.UTF-8 DISPLAY=:77
Xvfb :77 -screen 0 "${width}x${height}x24" & xvfb=$!
sleep 1
"$build/bin/quorvane" & app=$!
sleep 4 # the start-up form gives way to the main window after two seconds
win=$(xdotool search --name "Quorvane v" | tail -1)
key() { xdotool key --window "$win" "$@"; sleep 0.4; }
for ((i = 0; i < presses; i++)); do key ctrl+equal; done
key alt+f; key l
key alt+f; key p
if [[ $panel == showdown ]]; then
    key alt+f; key w
    # The opponents' box: two opponents, by its arrow (Tab reaches it from the last grid).
    eval "$(xdotool getwindowgeometry --shell "$win")"
    xdotool mousemove $((X + (10530 + 1140 + 600) * zoom / 1500)) $((Y + 22 + (90 + 70) * zoom / 1500)) click 1
    sleep 0.4
fi
key ctrl+e
xdotool type --delay 60 "8s 9s 2s 3s Kh Ad"; sleep 0.3
key Return
xdotool type --delay 100 "10"
sleep 2.5 # the showdown figures refine for a moment
import -window root -trim +repage "$out"
echo "saved $out (${zoom}%)"
