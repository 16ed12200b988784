#!/usr/bin/env bash
# measure_engine_cpu.sh
# Runs the engine soak program under a private Xvfb for each renderer and prints its CPU use, and the
# X server's, as a percentage of one core at the 50 fps cap (target for krondel: at most 10 %).
# Limits: the machine may be shared, so repeat a run before trusting a single number.
# Usage: measure_engine_cpu.sh <engine_soak executable> [seconds] [renderer ...]
set -euo pipefail

soak=${1:?usage: measure_engine_cpu.sh <engine_soak> [seconds] [renderer ...]}
seconds=${2:-10}
shift $(( $# >= 2 ? 2 : 1 ))
renderers=("$@")
((${#renderers[@]})) || renderers=(software opengl)

ticks_of() { # user + system clock ticks of a process so far
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}

displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -f "$displayfile"' EXIT
for _ in $(seq 50); do [ -s "$displayfile" ] && break; sleep 0.1; done
[ -s "$displayfile" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$displayfile")"
hz=$(getconf CLK_TCK)

for renderer in "${renderers[@]}"; do
    before=$(ticks_of "$xvfb")
    line=$(SDL_VIDEODRIVER=x11 SDL_RENDER_DRIVER="$renderer" "$soak" "$seconds")
    after=$(ticks_of "$xvfb")
    xvfb_percent=$(awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.1f", 100 * t / hz / s }')
    echo "$line xvfb_cpu_percent=$xvfb_percent"
done
