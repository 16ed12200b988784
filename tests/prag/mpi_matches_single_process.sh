#!/usr/bin/env bash
# mpi_matches_single_process.sh
# prag-mpi over 2 and 3 processes (oversubscribed on a small machine) must write the same CSV and JSON,
# byte for byte, as prag with one thread and the same seed, with and without the newer options. Usage: <prag> <prag-mpi>
set -euo pipefail

prag=${1:?usage: mpi_matches_single_process.sh <prag> <prag-mpi>}
prag_mpi=${2:?usage: mpi_matches_single_process.sh <prag> <prag-mpi>}
fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# hwloc's GL plugin opens X displays :0, :1, ... to find GPUs, whether DISPLAY is set or not; an X
# server of a test running beside this one that goes away meanwhile aborts the process. No GPUs needed.
export HWLOC_COMPONENTS=-gl
mpirun_options=(--oversubscribe)
if [ "$(id -u)" -eq 0 ]; then mpirun_options+=(--allow-run-as-root); fi
# Today's run, and one with every new option: a torus that stops holding (one), P and chi in exact sums.
runs=("--sizes 8,16,24 --samples 301 --seed 2718 --p-step 0.01"
      "--lattice honeycomb --model bond --boundary periodic --spanning one --strength --sizes 8,12 --samples 203 --seed 5 --p-step 0.02")
for run in "${runs[@]}"; do
    read -r -a options <<<"$run --threads 1 --quiet"
    "$prag" "${options[@]}" --csv single.csv --json single.json > single.txt
    for processes in 2 3; do
        mpirun "${mpirun_options[@]}" -np "$processes" "$prag_mpi" "${options[@]}" \
            --csv "mpi$processes.csv" --json "mpi$processes.json" > "mpi$processes.txt" 2> "mpi$processes.err" ||
            { cat "mpi$processes.err" >&2; fail "mpirun -np $processes failed"; }
        cmp -s single.csv "mpi$processes.csv" || fail "$run: CSV from $processes processes differs from one process"
        cmp -s single.json "mpi$processes.json" || fail "$run: JSON from $processes processes differs from one process"
        [ "$(grep -c '^p_c = ' "mpi$processes.txt")" -eq 1 ] || fail "$processes processes: the table must be printed once"
    done
done
[ -s single.csv ] || fail "no CSV written"
echo "prag-mpi over 2 and 3 processes: CSV and JSON identical to one process"
