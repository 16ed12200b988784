#!/usr/bin/env bash
# krondel_view.sh
# Drives the real krondel in a private Xvfb with xdotool: a click turns a wood cell into metal, P
# shows the conducting cluster and a second P gives back the very same picture, and a window
# resized to 1280 x 960 shows the scene filling it, with clicks still landing on their cells.
# Usage: krondel_view.sh <krondel> <png_probe> <import> [folder to keep the pictures in]
# Limits: needs Xvfb, xdotool and ImageMagick's import (for what the window shows); no window
# manager, so full screen (F11) is not tried here.
set -euo pipefail

usage="usage: krondel_view.sh <krondel> <png_probe> <import> [keep folder]"
krondel=$(realpath "${1:?$usage}")
probe=$(realpath "${2:?$usage}")
grab=${3:?$usage}
keep=${4:-}
[ -z "$keep" ] || keep=$(realpath "$keep")

source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/krondel_session.sh"

start_session 1400x1050x24
start_krondel "$krondel"
xdotool windowmove "$window" 0 0
# With no window manager the keyboard goes to the window under the pointer.
xdotool mousemove --window "$window" 420 200
sleep 0.5

click() { # x y, window pixels
    xdotool mousemove --window "$window" "$1" "$2"
    sleep 0.2
    xdotool click 1
    sleep 0.3
}

shots=0
shoot() { # label: S, then waits for the file; the name goes into $shot
    press s
    shots=$((shots + 1))
    shot=$(printf 'snapshot-%04d.png' "$shots")
    for _ in $(seq 50); do [ -s "$shot" ] && break; sleep 0.1; done
    [ -s "$shot" ] || fail "S wrote no $shot"
    sleep 0.2
    [ -z "$keep" ] || cp "$shot" "$keep/$1.png"
}

# Red minus blue summed over five pixels round the centre of cell (column, row) of the 6 x 6 board:
# brown wood is far redder than blue, brushed metal is not. Prints "wood" or "metal".
material() { # file column row
    local x=$((60 + $2 * 55 + 25)) y=$((60 + $3 * 55 + 25))
    "$probe" "$1" "$x" "$y" $((x - 12)) $((y - 12)) $((x + 12)) $((y - 12)) $((x - 12)) $((y + 12)) $((x + 12)) $((y + 12)) |
        awk 'NR > 1 { warm += $1 - $3 } END { print (warm > 200 ? "wood" : "metal") }'
}

# ---- A click on a wood cell turns it into metal ---------------------------------------------------
# The top-right cell, at (335, 60) on the 6 x 6 board; when it is metal, the first click makes it wood.
shoot start
if [ "$(material "$shot" 5 0)" = metal ]; then
    click 360 85
    shoot clicked-to-wood
    [ "$(material "$shot" 5 0)" = wood ] || fail "a click left the metal top-right cell metal"
fi
click 360 85
shoot clicked-to-metal
[ "$(material "$shot" 5 0)" = metal ] || fail "a click on the wood top-right cell did not make it metal"

# ---- P: the cluster, then the very same picture again ---------------------------------------------
# The top-right cell is metal now, so it is reached from the right-hand column and gets a dark frame.
plain=$shot
press p
shoot path-view
marked=$shot
press p
shoot path-view-off
cmp -s "$plain" "$marked" && fail "P did not change the picture"
cmp -s "$plain" "$shot" || fail "a second P did not give back the same picture"
frame=$("$probe" "$marked" 336 70 | tail -n1)
awk -v p="$frame" 'BEGIN { split(p, c, " "); exit !(c[1] < 60 && c[2] < 60 && c[3] < 60) }' ||
    fail "no dark frame on the reached top-right cell with P on: $frame"

# ---- A window of 1280 x 960 -----------------------------------------------------------------------
xdotool windowsize "$window" 1280 960
sleep 1
"$grab" -window "$window" window.png
[ -z "$keep" ] || cp window.png "$keep/window-1280x960.png"
[ "$("$probe" window.png 0 0 | head -n1)" = "size 1280 960" ] || fail "the window is not 1280 x 960"
# Points of the scene and the window pixels twice as far out: the same kind of thing at each. The
# side panel reaching the window's right edge and the bottom panel its lower edge show the whole
# window is the scene, not a corner of it.
light() { awk -v p="$1" 'BEGIN { split(p, c, " "); exit !(c[1] + c[2] + c[3] > 3 * 170) }'; }
black() { [ "${1% *}" = "0 0 0" ]; }
for point in "30 30 black" "550 300 light" "300 470 light" "639 240 light" "320 479 light" "85 85 drawn" "360 360 drawn"; do
    read -r x y kind <<<"$point"
    scene=$("$probe" "$shot" "$x" "$y" | tail -n1)
    shown=$("$probe" window.png $((2 * x + 1)) $((2 * y + 1)) | tail -n1)
    case $kind in
        black) black "$scene" && black "$shown" || fail "scene $x,$y ($scene) and window ($shown) should be black" ;;
        light) light "$scene" && light "$shown" || fail "scene $x,$y ($scene) and window ($shown) should be panel" ;;
        drawn) ! black "$scene" && ! black "$shown" || fail "scene $x,$y ($scene) and window ($shown) should be a cell" ;;
    esac
done

# A click at twice the position of the top-left cell flips that cell, and S still writes 640 x 480.
before=$(material "$shot" 0 0)
click 170 170
shoot scaled-click
[ "$("$probe" "$shot" 0 0 | head -n1)" = "size 640 480" ] || fail "the snapshot of the scaled window is not 640 x 480"
[ "$(material "$shot" 0 0)" != "$before" ] || fail "a click on the scaled top-left cell did not flip it"

end_with_escape
echo "krondel view e2e: click, P on and off, 1280 x 960 window and a scaled click checked in $shots screenshots"
