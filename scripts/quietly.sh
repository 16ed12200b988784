#!/usr/bin/env bash
# quietly.sh
# Runs one step of the test suite with its output in a log file and prints one line of what it did
# (for ctest, its summary); when the step fails, the part of the log that says why, without the
# progress lines. Usage: quietly.sh <label> <log file> <command> [arguments...]
set -uo pipefail

label=${1:?usage: quietly.sh <label> <log file> <command...>}
log=${2:?usage: quietly.sh <label> <log file> <command...>}
shift 2
mkdir -p "$(dirname "$log")"
start=$(date +%s)
"$@" >"$log" 2>&1
status=$?
took=$(($(date +%s) - start))
summary=$(grep -E '^[0-9]+% tests passed' "$log" | tail -n1)
if [ "$status" -eq 0 ]; then
    echo "$label: done in $took s${summary:+, $summary} (log: $log)"
    exit 0
fi
# Build steps and passing tests are progress; what is left is compiler messages and failing tests.
grep -v -E '^ *Start +[0-9]+:|Test +#[0-9]+: .* Passed|^\[ *[0-9]+%\]|^gmake|^make\[' "$log" | tail -n 200
echo "$label: FAILED with exit code $status after $took s (full log: $log)"
exit "$status"
