#!/usr/bin/env bash
# command_line.sh
# Both programs' command line: --help and --version answer on stdout and exit 0 without a display or
# a dialogue; any other argument gets one error line plus the usage on stderr and exit code 2.
# Usage: command_line.sh <krondel> <vrtinela2D>
set -uo pipefail

krondel=${1:?usage: command_line.sh <krondel> <vrtinela2D>}
vrtinela=${2:?usage: command_line.sh <krondel> <vrtinela2D>}
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs a program with no display and no input; stdout, stderr and the exit code land in $work.
run() { # program arguments...
    (unset DISPLAY WAYLAND_DISPLAY; SDL_VIDEODRIVER=x11 timeout 10 "$@" </dev/null >"$work/out" 2>"$work/err")
    echo $? >"$work/code"
}

check() { # program name
    local program=$1 name=$2
    run "$program" --help
    [ "$(cat "$work/code")" = 0 ] || fail "$name --help exited with $(cat "$work/code")"
    head -n1 "$work/out" | grep -q "^Usage: $name \[--help | --version\]$" || fail "$name --help: no usage line"
    grep -q -- "--version" "$work/out" || fail "$name --help does not list --version"
    [ -s "$work/err" ] && fail "$name --help wrote to stderr: $(cat "$work/err")"

    run "$program" --version
    [ "$(cat "$work/code")" = 0 ] || fail "$name --version exited with $(cat "$work/code")"
    grep -Eq "^$name [0-9]+\.[0-9]+\.[0-9]+$" "$work/out" || fail "$name --version printed: $(cat "$work/out")"

    for wrong in --bogus -h file.txt "--help extra" "--version --help"; do
        # shellcheck disable=SC2086 # "--help extra" "--version --help" is meant as two arguments
        run "$program" $wrong
        [ "$(cat "$work/code")" = 2 ] || fail "$name $wrong exited with $(cat "$work/code"), not 2"
        [ -s "$work/out" ] && fail "$name $wrong wrote to stdout: $(cat "$work/out")"
        sed -n 1p "$work/err" | grep -q "^$name: .*'${wrong##* }'" ||
            fail "$name $wrong: first stderr line does not name the argument: $(cat "$work/err")"
        sed -n 2p "$work/err" | grep -q "^Usage: $name " || fail "$name $wrong: no usage after the error"
    done

    (unset DISPLAY; timeout 10 "$program" --help >/dev/full 2>/dev/null)
    [ $? = 1 ] || fail "$name --help into a full device did not exit with 1"
}

check "$krondel" krondel
check "$vrtinela" vrtinela2D
run "$krondel" --help
grep -q "Escape" "$work/out" || fail "krondel --help does not name its keys"
run "$vrtinela" --help
grep -q "59.2746" "$work/out" || fail "vrtinela2D --help has no example"

if [ "$failures" -ne 0 ]; then exit 1; fi
echo "command line: --help, --version and 5 wrong arguments checked for both programs"
