#!/usr/bin/env bash
# time_prag_runs.sh
# prag's speed on this machine: samples per second at L = 256 with 1 and 2 threads, and the timed run
# --sizes 64,128,256 --samples 20000 --seed 1 against its 30 s budget, its p_c estimate against
# 0.5927460 (within 2e-4, and within 3 of its own errors). Limits: wall-clock time on a shared machine.
set -euo pipefail

binary="${1:-build/prag}"
budget_seconds=30
threshold=0.5927460
tolerance=2e-4
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

milliseconds() { echo $(( $(date +%s%N) / 1000000 )); }

for threads in 1 2; do
    samples=2000
    start=$(milliseconds)
    "$binary" --sizes 256 --samples "$samples" --seed 1 --threads "$threads" --quiet > /dev/null
    elapsed=$(( $(milliseconds) - start ))
    awk -v n="$samples" -v ms="$elapsed" -v t="$threads" \
        'BEGIN { printf "L = 256, site, %d thread(s): %.0f samples/s (%d samples in %.2f s)\n", t, n / (ms / 1000), n, ms / 1000 }'
done

start=$(milliseconds)
"$binary" --sizes 64,128,256 --samples 20000 --seed 1 --quiet --json "$work/run.json" > "$work/table.txt"
elapsed=$(( $(milliseconds) - start ))
# The estimate is the last object of the JSON: "p_c": { "value": ..., "error": ..., "method": ... }.
value=$(awk '/"p_c"/ { found = 1 } found && /"value"/ { gsub(/[",]/, "", $2); print $2; exit }' "$work/run.json")
error=$(awk '/"p_c"/ { found = 1 } found && /"error"/ { gsub(/[",]/, "", $2); print $2; exit }' "$work/run.json")
grep '^p_c = ' "$work/table.txt"
verdict=$(awk -v ms="$elapsed" -v budget="$budget_seconds" -v v="$value" -v e="$error" -v pc="$threshold" -v tol="$tolerance" 'BEGIN {
    off = v - pc; if (off < 0) off = -off
    printf "--sizes 64,128,256 --samples 20000 --seed 1: %.1f s, %.3f of the %d s budget; estimate %.7f, %.1e from %.7f (limit %.0e), %.2f of its error %.1e\n", ms / 1000, ms / 1000 / budget, budget, v, off, pc, tol, off / e, e > "/dev/stderr"
    print (ms / 1000 < budget && off <= tol && off <= 3 * e) ? "PASS" : "FAIL"
}')
echo "$verdict"
[ "$verdict" = "PASS" ]
