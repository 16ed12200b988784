#!/usr/bin/env bash
# run_fuzz.sh
# Runs the font-loader fuzzer for a fixed time on a scratch copy of the committed seed corpus (the
# corpus in the tree stays as it is) and prints one line: runs, seconds, crashes found. The full
# libFuzzer log is kept in the fuzz build folder; on a crash its end is shown and the exit code is 1.
# Usage: run_fuzz.sh <fuzz build folder> <seconds>
set -uo pipefail

build=${1:?usage: run_fuzz.sh <fuzz build folder> <seconds>}
seconds=${2:?usage: run_fuzz.sh <fuzz build folder> <seconds>}
source=$(cd "$(dirname "$0")" && pwd)
corpus="$build/font_loader_corpus"
log="$build/font_loader_fuzz.log"

rm -rf "$corpus" "$build"/crash-* "$build"/leak-* "$build"/timeout-* "$build"/oom-*
mkdir -p "$corpus"
cp "$source"/fuzz_corpus/* "$corpus/"
"$build/tests/gfx/font_loader_fuzz" -max_total_time="$seconds" -max_len=4096 -artifact_prefix="$build/" \
    "$corpus" >"$log" 2>&1
status=$?

runs=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1/p' "$log" | tail -n1)
took=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\2/p' "$log" | tail -n1)
crashes=$(find "$build" -maxdepth 1 \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
if [ "$status" -ne 0 ] || [ -z "$runs" ]; then
    tail -n 40 "$log"
    echo "fuzz: font loader FAILED (exit code $status), $crashes crash file(s) in $build; full log: $log"
    exit 1
fi
echo "fuzz: font loader, $runs runs in $took s, $crashes crashes found (full log: $log)"
