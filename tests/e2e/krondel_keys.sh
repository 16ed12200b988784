#!/usr/bin/env bash
# krondel_keys.sh
# Drives the real krondel in a real X window (a private Xvfb) with real key presses (xdotool) and
# checks the screenshots it saves with S, the log and the exit code.
# Usage: krondel_keys.sh <krondel> <png_probe> [folder to keep the screenshots in]
# Limits: needs Xvfb and xdotool; each step waits long enough for the 0.3 s key-repeat delay.
set -euo pipefail

krondel=${1:?usage: krondel_keys.sh <krondel> <png_probe> [keep folder]}
probe=${2:?usage: krondel_keys.sh <krondel> <png_probe> [keep folder]}
keep=${3:-}

fail() { echo "FAIL: $*" >&2; exit 1; }

[ -x "$krondel" ] || fail "no program at $krondel"
[ -x "$probe" ] || fail "no program at $probe"
krondel=$(realpath "$krondel")
probe=$(realpath "$probe")
[ -z "$keep" ] || keep=$(realpath "$keep")

work=$(mktemp -d)
displayfile="$work/display"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$displayfile" 2>/dev/null &
xvfb=$!
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
[ -s "$displayfile" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$displayfile")"
export SDL_VIDEODRIVER=x11

cd "$work"
"$krondel" &
pid=$!

window=$(timeout 20 xdotool search --sync --name '^Vrtinela$' | head -n1) || fail "no krondel window appeared"
# With no window manager the keyboard goes to the window under the pointer.
xdotool mousemove --window "$window" 300 200
sleep 0.5

tap() {
    xdotool keydown "$1"
    sleep 0.05
    xdotool keyup "$1"
    sleep 0.45 # longer than the longest key-repeat delay
}

# Takes screenshot number $1 with S and waits until krondel has written it; prints its name.
# (Called in a subshell, so the number comes from the caller.)
shoot() { # number label
    tap s
    local name
    name=$(printf 'snapshot-%04d.png' "$1")
    for _ in $(seq 50); do [ -s "$name" ] && break; sleep 0.1; done
    [ -s "$name" ] || fail "S wrote no $name"
    sleep 0.2 # let the writer finish
    [ -n "$keep" ] && cp "$name" "$keep/$2.png"
    echo "$name"
}

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

start=$(shoot 1 start)
[ "$("$probe" "$start" 0 0 | head -n1)" = "size 640 480" ] || fail "screenshot is not 640 x 480"
expect_board "$start" 6
expect_pixel "$start" 550 300 drawn "side panel"
expect_pixel "$start" 300 470 drawn "bottom panel"

tap r
tap KP_Add
tap KP_Add
tap KP_Add # already 8 x 8: only reshuffles
expect_board "$(shoot 2 grown-to-8)" 8

for _ in 1 2 3 4 5 6 7; do tap minus; done # the seventh is at 2 x 2 already
expect_board "$(shoot 3 shrunk-to-2)" 2

tap equal # the main keyboard's =/+ grows the board too
tap KP_Subtract
tap equal
expect_board "$(shoot 4 main-plus-to-3)" 3

for _ in 1 2 3; do tap v; done
tap m
expect_board "$(shoot 5 percent-changed)" 3

tap Escape
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "krondel did not end on Escape"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "krondel exited with $status"
[ -f vrtinela.log ] || fail "no vrtinela.log"
if grep -i -E "fail|error" vrtinela.log; then fail "the log reports a failure"; fi
[ "$(ls snapshot-*.png | wc -l)" -eq 5 ] || fail "expected exactly 5 screenshots"

# Without its data files krondel still runs, and says on standard error which files it could not
# load and where it looked. A copy beside an empty share folder finds that folder as its data.
mkdir -p nodata/bin nodata/share/krondel
cp "$krondel" nodata/bin/krondel
nodata/bin/krondel 2>nodata/told.txt &
pid=$!
window=$(timeout 20 xdotool search --sync --name '^Vrtinela$' | head -n1) || fail "no window without data"
xdotool mousemove --window "$window" 300 200
sleep 0.5
tap Escape
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "krondel without data exited with $status"
for file in font1.fnt Arrow.png 284.jpg brushed-metal.jpg background1.png; do
    grep -q "^krondel: cannot load $file (looked in $work/nodata/share/krondel): " nodata/told.txt ||
        fail "no line about $file on stderr: $(cat nodata/told.txt)"
done
echo "krondel e2e: 5 screenshots checked, exit code 0; without data, 5 missing files told"
