#!/usr/bin/env bash
# time_prag_runs.sh
# prag's speed on this machine: samples per second at L = 256 with 1 and 2 threads, and the timed run
# --sizes 64,128,256 --samples 20000 --seed 1 against its 30 s budget, its p_c estimate against
# 0.5927460 (within 2e-4, and within 3 of its own errors). Limits: wall-clock time on a shared machine,
# so the CPU time and the load average are printed beside it.
set -euo pipefail

binary="${1:-build/prag}"
budget_seconds=30
threshold=0.5927460
tolerance=2e-4
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
TIMEFORMAT='%R %U %S'

# Runs prag with the given options; prints "wall cpu" in seconds.
timed() {
    local times
    times=$( { time "$binary" "$@" > "$work/table.txt"; } 2>&1 )
    awk '{ printf "%.2f %.2f", $1, $2 + $3 }' <<<"$times"
}

samples=2000
for threads in 1 2; do
    read -r wall cpu <<<"$(timed --sizes 256 --samples "$samples" --seed 1 --threads "$threads" --quiet)"
    awk -v n="$samples" -v wall="$wall" -v cpu="$cpu" -v t="$threads" \
        'BEGIN { printf "L = 256, site, %d thread(s): %.0f samples/s (%d samples in %.2f s, %.2f s of CPU)\n", t, n / wall, n, wall, cpu }'
done

read -r wall cpu <<<"$(timed --sizes 64,128,256 --samples 20000 --seed 1 --quiet --json "$work/run.json")"
grep '^p_c = ' "$work/table.txt"
# The estimate is the last object of the JSON: "p_c": { "value": ..., "error": ..., "method": ... }.
value=$(awk '/"p_c"/ { found = 1 } found && /"value"/ { gsub(/[",]/, "", $2); print $2; exit }' "$work/run.json")
error=$(awk '/"p_c"/ { found = 1 } found && /"error"/ { gsub(/[",]/, "", $2); print $2; exit }' "$work/run.json")
load=$(cut -d' ' -f1 /proc/loadavg)
awk -v wall="$wall" -v cpu="$cpu" -v load="$load" -v budget="$budget_seconds" -v v="$value" -v e="$error" \
    -v pc="$threshold" -v tol="$tolerance" 'BEGIN {
    off = v - pc; if (off < 0) off = -off
    printf "--sizes 64,128,256 --samples 20000 --seed 1: %.1f s (%.1f s of CPU, load average %s), %.3f of the %d s budget\n", wall, cpu, load, wall / budget, budget
    printf "estimate %.7f ± %.1e: %.1e from %.7f (limit %.0e), %.2f of its error\n", v, e, off, pc, tol, off / e
    verdict = (wall < budget && off <= tol && off <= 3 * e) ? "PASS" : "FAIL"
    print verdict
    exit verdict != "PASS"
}'
