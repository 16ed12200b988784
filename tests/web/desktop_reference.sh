#!/usr/bin/env bash
# desktop_reference.sh
# The desktop krondel's pictures that the web page must match: the real program in a private Xvfb,
# its clock held at a fixed second (libfaketime) so that its first board is a known one, then
# keypad plus, R, V, a click and L, with a snapshot (S) before the first and after each.
# Usage: desktop_reference.sh <krondel> <folder for start, plus, r, v, click and lattice .png>
# Limits: needs Xvfb, xdotool and faketime; the mouse rests at scene (600, 300), the click is at (200, 200).
set -euo pipefail

usage="usage: desktop_reference.sh <krondel> <folder>"
krondel=$(realpath "${1:?$usage}")
mkdir -p "${2:?$usage}"
keep=$(realpath "$2")
source "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/../e2e/krondel_session.sh"

start_session 800x600x24
# Only krondel's own clock is held (sleep and xdotool would wait for ever); frame times still run.
cat >"$work/held-clock-krondel" <<SCRIPT
#!/bin/sh
exec env TZ=UTC LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 FAKETIME="${KRONDEL_TEST_TIME:-2001-02-03 04:05:06}" \
    FAKETIME_DONT_FAKE_MONOTONIC=1 "$krondel"
SCRIPT
chmod +x "$work/held-clock-krondel"
start_krondel "$work/held-clock-krondel"
xdotool windowmove "$window" 0 0
xdotool mousemove --window "$window" 600 300 # no window manager: the keys go to the window under the pointer
sleep 0.5
shoot start
for key in KP_Add r v; do press "$key"; shoot "$([ "$key" = KP_Add ] && echo plus || echo "$key")"; done
xdotool mousemove --window "$window" 200 200 click 1
sleep 0.3
shoot click
press l
shoot lattice
quit_with_escape
