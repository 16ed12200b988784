# krondel_session.sh
# Sourced, not run, by the scripts that drive the real krondel: a private Xvfb, krondel started in a
# fresh folder and found by its window, key presses, and the end on Escape with its exit code
# checked. Limits: one krondel at a time; sets DISPLAY, work, pid and window, and an EXIT trap.

fail() { echo "FAIL: $*" >&2; exit 1; }

# Starts Xvfb with a screen of the given size (such as 1400x1050x24) and moves into a fresh folder
# that the EXIT trap removes again, with krondel (first) and Xvfb.
start_session() { # screen
    work=$(mktemp -d)
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp 3>"$work/display" 2>/dev/null &
    xvfb=$!
    pid=""
    trap end_session EXIT
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$work/display")" SDL_VIDEODRIVER=x11
    cd "$work"
}

# krondel first, so that it does not complain about a vanished X server.
end_session() {
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}

# Starts the program and waits for its window; the id goes into $window. With a second argument
# the program's standard error goes into that file.
start_krondel() { # program [stderr file]
    if [ -n "${2:-}" ]; then "$1" 2>"$2" & else "$1" & fi
    pid=$!
    window=$(timeout 20 xdotool search --sync --name '^Vrtinela$' | head -n1) || fail "no krondel window appeared"
}

# key: down and up at once, then longer than the longest key-repeat delay. A key held for 50 ms
# would be held as long as V's repeat delay, and a busy machine would see V act twice.
press() {
    xdotool key "$1"
    sleep 0.45
}

# S, then waits until krondel has written the next snapshot-NNNN.png; its name goes into $shot.
# With a label and $keep set, a copy is kept there as <label>.png.
shots=0
shoot() { # [label]
    press s
    shots=$((shots + 1))
    shot=$(printf 'snapshot-%04d.png' "$shots")
    for _ in $(seq 50); do [ -s "$shot" ] && break; sleep 0.1; done
    [ -s "$shot" ] || fail "S wrote no $shot"
    sleep 0.2 # let the writer finish
    if [ -n "${1:-}" ] && [ -n "${keep:-}" ]; then cp "$shot" "$keep/$1.png"; fi
}

# Escape must end krondel with exit code 0.
quit_with_escape() {
    press Escape
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && fail "krondel did not end on Escape"
    local status=0
    wait "$pid" || status=$?
    pid=""
    [ "$status" -eq 0 ] || fail "krondel exited with $status"
}

# ... and leave a log without failures.
end_with_escape() {
    quit_with_escape
    [ -f vrtinela.log ] || fail "no vrtinela.log"
    if grep -i -E "fail|error" vrtinela.log; then fail "the log reports a failure"; fi
}
