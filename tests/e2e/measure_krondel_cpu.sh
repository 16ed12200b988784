#!/usr/bin/env bash
# measure_krondel_cpu.sh
# Runs krondel in a private Xvfb, lets it settle, then prints the CPU it uses over a fixed span as a
# percentage of one core: in its own 640 x 480 window against the 10 % budget at its 50 frames per
# second, the same in the lattice view at L = 400, then the board with the window resized to
# 1280 x 960 (the scene scaled twice over), as a cost.
# Limits: a shared machine adds noise; the best of three spans is reported for each size.
# Usage: measure_krondel_cpu.sh <krondel> [seconds per span]
set -euo pipefail

krondel=$(realpath "${1:?usage: measure_krondel_cpu.sh <krondel> [seconds]}")
seconds=${2:-10}
budget_percent=10

source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/krondel_session.sh"

start_session 1400x1050x24
start_krondel "$krondel"
sleep 2 # start-up: loading and scaling the textures is not the steady state

ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)

# Prints the best of three spans, in percent of one core; each span on standard error as it ends.
best_of_three() { # label
    local best="" before after percent
    for span in 1 2 3; do
        before=$(ticks)
        sleep "$seconds"
        after=$(ticks)
        percent=$(awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.1f", 100 * t / hz / s }')
        echo "$1, span $span: krondel used ${percent} % of one core" >&2
        if [ -z "$best" ] || awk -v a="$percent" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$percent; fi
    done
    echo "$best"
}

small=$(best_of_three "640 x 480")
ratio=$(awk -v p="$small" -v b="$budget_percent" 'BEGIN { printf "%.2f", p / b }')
echo "krondel CPU at 50 fps under Xvfb, 640 x 480: best ${small} % of one core, ${ratio} of the ${budget_percent} % budget"

# The lattice view at its largest side, nothing pressed, against the same budget; then the board again.
xdotool mousemove --window "$window" 600 300 # no window manager: the keys go to the window under the pointer
for key in l KP_Add KP_Add; do press "$key"; done
lattice=$(best_of_three "lattice view, L = 400, 640 x 480")
ratio=$(awk -v p="$lattice" -v b="$budget_percent" 'BEGIN { printf "%.2f", p / b }')
echo "krondel CPU at 50 fps under Xvfb, lattice view at L = 400, 640 x 480: best ${lattice} % of one core, ${ratio} of the ${budget_percent} % budget"
press l

xdotool windowmove "$window" 0 0 windowsize "$window" 1280 960
sleep 2
size=$(xdotool getwindowgeometry "$window" | awk '/Geometry:/ { print $2 }')
[ "$size" = "1280x960" ] || fail "the window did not take 1280 x 960 (it is $size)"
large=$(best_of_three "1280 x 960")
cost=$(awk -v l="$large" -v s="$small" 'BEGIN { if (s > 0) printf "%.1f times", l / s; else print "n/a" }')
echo "krondel CPU at 50 fps under Xvfb, 1280 x 960: best ${large} % of one core, ${cost} the 640 x 480 figure"
