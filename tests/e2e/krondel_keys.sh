#!/usr/bin/env bash
# krondel_keys.sh
# Drives the real krondel in a real X window (a private Xvfb) with real key presses (xdotool) and
# checks the screenshots it saves with S, the log, the window icon and the exit code; then runs it
# without its data files and checks what it tells on standard error.
# Usage: krondel_keys.sh <krondel> <png_probe> [folder to keep the screenshots in]
# Limits: needs Xvfb, xdotool and xprop; each step waits long enough for the 0.3 s key-repeat delay.
set -euo pipefail

usage="usage: krondel_keys.sh <krondel> <png_probe> [keep folder]"
krondel=${1:?$usage}
probe=${2:?$usage}
keep=${3:-}
source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/krondel_session.sh"

[ -x "$krondel" ] || fail "no program at $krondel"
[ -x "$probe" ] || fail "no program at $probe"
krondel=$(realpath "$krondel")
probe=$(realpath "$probe")
[ -z "$keep" ] || keep=$(realpath "$keep")

start_session 800x600x24
start_krondel "$krondel"
# With no window manager the keyboard goes to the window under the pointer.
xdotool mousemove --window "$window" 300 200
sleep 0.5

# Pixels: "black" is the cleared window, "drawn" anything else.
expect_pixel() { # file x y black|drawn what
    local rgba
    rgba=$("$probe" "$1" "$2" "$3" | tail -n1)
    case "$4:$rgba" in
        "black:0 0 0 "*) ;;
        "drawn:0 0 0 "*) fail "$5: pixel $2,$3 of $1 is black" ;;
        drawn:*) ;;
        *) fail "$5: pixel $2,$3 of $1 is $rgba" ;;
    esac
}

# A board of side n has its top-left cell at (8 - n) * 25 + 10 and its last cell ending 51 further.
expect_board() { # file side
    local origin=$(((8 - $2) * 25 + 10))
    local end=$((origin + ($2 - 1) * 55 + 50))
    expect_pixel "$1" "$origin" "$origin" drawn "top-left cell of a $2 x $2 board"
    expect_pixel "$1" $((origin - 2)) $((origin - 2)) black "outside a $2 x $2 board"
    expect_pixel "$1" "$end" "$end" drawn "bottom-right cell of a $2 x $2 board"
    expect_pixel "$1" $((end + 3)) $((end + 3)) black "outside a $2 x $2 board"
}

# The window carries krondel's own 64 x 64 icon (set just after the window appears).
# (xprop's output is read whole: grep -q stopping early would fail the pipe with SIGPIPE.)
icon=""
for _ in $(seq 50); do
    icon=$(xprop -id "$window" _NET_WM_ICON 2>&1 || true)
    [[ "$icon" == *"Icon (64 x 64)"* ]] && break
    sleep 0.1
done
[[ "$icon" == *"Icon (64 x 64)"* ]] || fail "the window has no 64 x 64 icon: ${icon:0:200}"

shoot start
[ "$("$probe" "$shot" 0 0 | head -n1)" = "size 640 480" ] || fail "screenshot is not 640 x 480"
expect_board "$shot" 6
expect_pixel "$shot" 550 300 drawn "side panel"
expect_pixel "$shot" 300 470 drawn "bottom panel"

press r
press KP_Add
press KP_Add
press KP_Add # already 8 x 8: only reshuffles
shoot grown-to-8
expect_board "$shot" 8

for _ in 1 2 3 4 5 6 7; do press minus; done # the seventh is at 2 x 2 already
shoot shrunk-to-2
expect_board "$shot" 2

press equal # the main keyboard's =/+ grows the board too
press KP_Subtract
press equal
shoot main-plus-to-3
expect_board "$shot" 3

for _ in 1 2 3; do press v; done
press m
shoot percent-changed
expect_board "$shot" 3

end_with_escape
[ "$(ls snapshot-*.png | wc -l)" -eq 5 ] || fail "expected exactly 5 screenshots"

# Without its data files krondel still runs, and says on standard error which files it could not
# load and where it looked. A copy beside an empty share folder finds that folder as its data.
mkdir -p nodata/bin nodata/share/krondel
cp "$krondel" nodata/bin/krondel
start_krondel nodata/bin/krondel nodata/told.txt
xdotool mousemove --window "$window" 300 200
sleep 0.5
quit_with_escape
for file in font1.fnt Arrow.png 284.jpg brushed-metal.jpg background1.png; do
    grep -q "^krondel: cannot load $file (looked in $work/nodata/share/krondel): " nodata/told.txt ||
        fail "no line about $file on stderr: $(cat nodata/told.txt)"
done
echo "krondel e2e: 5 screenshots checked, exit code 0; without data, 5 missing files told"
