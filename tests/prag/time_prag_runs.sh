#!/usr/bin/env bash
# time_prag_runs.sh
# prag's speed on this machine: samples per second at L = 256 with 1 and 2 threads, and the timed run
# --sizes 64,128,256 --samples 20000 --seed 1 against its 30 s budget, its p_c estimate against
# 0.5927460 (within 2e-4, and within 3 of its own errors), and the open square's spanning sweep at
# L = 256 and 4096 against 5 and 8 ns per site (and 8 bytes a site at 4096). Then the research runs:
# the square torus (200000 samples, 240 s, p_c within 3e-5 with an error of at most 3e-5 covering it),
# the four wrapping probabilities of L = 128 at p_c against their exact values, every other lattice's
# threshold (60 s each, within 1e-3 and 4 errors) and nu (within 0.1 of 4/3). Limits: wall-clock time
# on a shared machine, so the CPU time and the load average are printed beside it.
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
}' || failed=1

# Checks a run's JSON: the estimate named by $2 ("p_c" or an entry of "estimates") against $3 within
# $4 and within $5 of its errors (0: the error itself must be at most $4), in $6 seconds at most.
check() {
    /usr/bin/python3 - "$@" <<'PY'
import json, sys
path, name, known, tolerance, errors, wall, budget, label = sys.argv[1:9]
run = json.load(open(path))
estimate = run["p_c"] if name == "p_c" else run["estimates"][name]
value, error = estimate["value"], estimate["error"]
known, tolerance, errors, wall, budget = map(float, (known, tolerance, errors, wall, budget))
off = abs(value - known)
ok = off <= tolerance and wall <= budget and (off <= errors * error if errors > 0 else error <= tolerance and off <= error)
print(f"{label}: {value:.7f} ± {error:.1e}, {off:.1e} from {known} ({off / error:.2f} errors), {wall:.1f} s of {budget:.0f}: {'PASS' if ok else 'FAIL'}")
sys.exit(0 if ok else 1)
PY
}

# The open square's spanning sweep, one thread, whole process: ns per site against 5 at L = 256 and
# 8 at L = 4096, and the peak memory of the larger against 8 bytes a site.
while read -r side samples ns_target; do
    /usr/bin/python3 - "$binary" "$side" "$samples" "$ns_target" <<'PY' || failed=1
import resource, subprocess, sys, time
binary, side, samples, target = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), float(sys.argv[4])
start = time.monotonic()
subprocess.run([binary, "--sizes", str(side), "--samples", str(samples), "--threads", "1", "--seed", "1", "--quiet"],
               stdout=subprocess.DEVNULL, check=True)
ns = (time.monotonic() - start) * 1e9 / (side * side * samples)
per_site = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss * 1024 / (side * side)
ok = ns <= target and (side < 4096 or per_site <= 8)
print(f"--sizes {side} --samples {samples} --threads 1: {ns:.2f} ns per site (target {target:.0f}), "
      f"peak {per_site:.1f} bytes per site: {'PASS' if ok else 'FAIL'}")
sys.exit(0 if ok else 1)
PY
done <<'RUNS'
256 2000 5
4096 24 8
RUNS

research() {  # label known tolerance errors budget estimate-name options...
    local label=$1 known=$2 tolerance=$3 errors=$4 budget=$5 name=$6
    shift 6
    read -r wall cpu <<<"$(timed "$@" --seed 1 --quiet --json "$work/research.json")"
    check "$work/research.json" "$name" "$known" "$tolerance" "$errors" "$wall" "$budget" "$label" || failed=1
}

research "square site torus, either, 64,128,256 x 200000" 0.5927460507 3e-5 0 240 p_c \
    --boundary periodic --spanning either --sizes 64,128,256 --samples 200000
research "nu, square site open, 32,64,128,256 x 20000" 1.3333333 0.1 100 600 nu \
    --lattice square --sizes 32,64,128,256 --samples 20000
while read -r lattice model known sizes samples; do
    research "$lattice $model torus, $sizes x $samples" "$known" 1e-3 4 60 p_c \
        --lattice "$lattice" --model "$model" --boundary periodic --sizes "$sizes" --samples "$samples"
done <<'RUNS'
triangular site 0.5 64,128,256 20000
honeycomb site 0.697040230 64,128,256 20000
triangular bond 0.347296355 64,128,256 20000
honeycomb bond 0.652703645 64,128,256 20000
cubic site 0.3116077 16,32,64 6000
cubic bond 0.2488118 16,32,64 5000
RUNS

# The wrapping probabilities of L = 128 at p_c (within two of their errors: four values at one error
# each would all agree only one time in five).
p_exact=0.5927460507
while read -r rule exact; do
    "$binary" --boundary periodic --spanning "$rule" --sizes 128 --samples 100000 --seed 1 --p-min "$p_exact" \
        --p-max "$p_exact" --quiet --csv "$work/wrap.csv" > /dev/null
    awk -F, -v rule="$rule" -v exact="$exact" 'NR == 2 {
        off = $3 - exact; if (off < 0) off = -off
        verdict = off <= 2 * $4 ? "PASS" : "FAIL"
        printf "L = 128 at p_c, %s: R = %.5f ± %.5f, exact %s, %.2f errors: %s\n", rule, $3, $4, exact, off / $4, verdict
        exit verdict != "PASS" }' "$work/wrap.csv" || failed=1
done <<'RULES'
either 0.690473725
horizontal 0.521058290
both 0.351642855
one 0.169415435
RULES
exit "${failed:-0}"
