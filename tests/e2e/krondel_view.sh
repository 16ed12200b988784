#!/usr/bin/env bash
# krondel_view.sh
# Drives the real krondel in a private Xvfb with xdotool: a click turns a wood cell into metal, P
# shows the conducting cluster and a second P gives back the very same picture, L shows the lattice
# whose clusters merge into one as V is held and L again the same board, and a window resized to
# 1280 x 960 shows the scene filling it, with clicks still landing on their cells.
# Usage: krondel_view.sh <krondel> <png_probe> <import>
# Limits: needs Xvfb, xdotool and ImageMagick's import (for what the window shows); no window
# manager, so full screen (F11) is not tried here.
set -euo pipefail

usage="usage: krondel_view.sh <krondel> <png_probe> <import>"
krondel=$(realpath "${1:?$usage}")
probe=$(realpath "${2:?$usage}")
grab=${3:?$usage}
source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/krondel_session.sh"

start_session 1400x1050x24
start_krondel "$krondel"
xdotool windowmove "$window" 0 0
xdotool mousemove --window "$window" 420 200 # no window manager: the keys go to the window under the pointer
sleep 0.5

click() { # x y, window pixels
    xdotool mousemove --window "$window" "$1" "$2"
    sleep 0.2
    xdotool click 1
    sleep 0.3
}

# Red minus blue over five pixels round the centre of cell (column, row) of the 6 x 6 board: brown
# wood is far redder than blue, brushed metal is not.
material() { # file column row
    local x=$((60 + $2 * 55 + 25)) y=$((60 + $3 * 55 + 25))
    "$probe" "$1" "$x" "$y" $((x - 12)) $((y - 12)) $((x + 12)) $((y - 12)) $((x - 12)) $((y + 12)) $((x + 12)) $((y + 12)) |
        awk 'NR > 1 { warm += $1 - $3 } END { print (warm > 200 ? "wood" : "metal") }'
}

# A click on the top-right cell; when it is metal, a first click makes it wood.
shoot
if [ "$(material "$shot" 5 0)" = metal ]; then
    click 360 85
    shoot
    [ "$(material "$shot" 5 0)" = wood ] || fail "a click left the metal top-right cell metal"
fi
click 360 85
shoot
[ "$(material "$shot" 5 0)" = metal ] || fail "a click on the wood top-right cell did not make it metal"

# P, twice. The top-right cell is metal now, so it is reached and gets a dark frame.
plain=$shot
press p
shoot
marked=$shot
press p
shoot
cmp -s "$plain" "$marked" && fail "P did not change the picture"
cmp -s "$plain" "$shot" || fail "a second P did not give back the same picture"
[ "$("$probe" "$marked" 336 70 | tail -n1 | awk '{ print ($1 + $2 + $3 < 150) }')" = 1 ] ||
    fail "no dark frame on the reached top-right cell with P on"

# L: a 100 x 100 lattice at 50 % from (28, 28), 4 pixels a cell, crisp (each cell's corners alike)
# and in many colours; V held for 3 s raises the share until one colour, the conducting cluster's,
# covers most of it; L again gives back the same board. Prints, over every second cell of every
# second row, the colours, the share of the commonest metal colour in % (wood is 42 33 24) and the
# cells whose corners differ.
lattice_colours() { # file
    local points=()
    for row in $(seq 28 8 424); do for x in $(seq 28 8 424); do points+=("$x" "$row" $((x + 3)) $((row + 3))); done; done
    "$probe" "$1" "${points[@]}" | awk 'NR > 1 && NR % 2 == 0 { corner = $1 " " $2 " " $3 }
        NR > 1 && NR % 2 == 1 { count[corner]++; n++; blurred += ($1 " " $2 " " $3) != corner }
        END { for (c in count) { kinds++; if (c != "42 33 24" && count[c] > most) most = count[c] }
              printf "%d %d %d\n", kinds, 100 * most / n, blurred }'
}
xdotool mousemove --window "$window" 600 300 # the cursor off the lattice
press l
shoot lattice
read -r kinds most blurred <<<"$(lattice_colours "$shot")"
[ "$kinds" -ge 8 ] && [ "$most" -lt 25 ] || fail "the lattice at 50 % shows $kinds colours, the commonest on $most %"
[ "$blurred" = 0 ] || fail "$blurred cells of the lattice are not one colour from corner to corner"
xdotool keydown v; sleep 3; xdotool keyup v; sleep 0.5
shoot held-v
read -r kinds most blurred <<<"$(lattice_colours "$shot")"
[ "$most" -ge 70 ] || fail "after V held for 3 s the commonest metal colour covers only $most % of the lattice"
press l
xdotool mousemove --window "$window" 360 85 # where it was for the board's picture
shoot
cmp -s "$plain" "$shot" || fail "L did not bring back the board picture shown before the lattice view"

# A window of 1280 x 960: at twice each scene point's position the window shows the same kind of
# thing. The panels at the window's right and lower edges show that the scene fills all of it.
xdotool windowsize "$window" 1280 960
sleep 1
"$grab" -window "$window" window.png
[ "$("$probe" window.png 0 0 | head -n1)" = "size 1280 960" ] || fail "the window is not 1280 x 960"
kind() { # black, a light panel, or anything else drawn (a cell)
    awk -v panel="$1" '{ s = $1 + $2 + $3; print (s == 0 ? "black" : panel && s > 3 * 170 ? "panel" : "drawn") }'
}
for point in "30 30 black" "550 300 panel" "639 240 panel" "320 479 panel" "85 85 drawn" "360 360 drawn"; do
    read -r x y expected <<<"$point"
    panel=$([ "$expected" = panel ] && echo 1 || echo 0)
    scene=$("$probe" "$shot" "$x" "$y" | tail -n1 | kind "$panel")
    shown=$("$probe" window.png $((2 * x + 1)) $((2 * y + 1)) | tail -n1 | kind "$panel")
    [ "$scene $shown" = "$expected $expected" ] || fail "at $x,$y the scene shows $scene, the window $shown"
done

# A click at twice the position of the top-left cell flips that cell; S still writes 640 x 480.
before=$(material "$shot" 0 0)
click 170 170
shoot
[ "$("$probe" "$shot" 0 0 | head -n1)" = "size 640 480" ] || fail "the snapshot of the scaled window is not 640 x 480"
[ "$(material "$shot" 0 0)" != "$before" ] || fail "a click on the scaled top-left cell did not flip it"

end_with_escape
echo "krondel view e2e: click, P on and off, the lattice view, 1280 x 960 window and a scaled click checked in $shots screenshots"
