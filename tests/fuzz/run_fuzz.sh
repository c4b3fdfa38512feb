#!/bin/sh
# The bounded fuzz run: builds a libFuzzer target for every reader of player data (result
# lists, stored games, "opc.txt", "zg.txt", "ekran.txt"; see common.sh) under
# AddressSanitizer and UndefinedBehaviorSanitizer, and fuzzes each for the given number
# of seconds (default 12) from a scratch copy of its checked-in seeds. Exits non-zero
# when any target finds a crash or a broken promise, after printing the report and the
# input; the inputs are kept in the folder it names.
#   tests/fuzz/run_fuzz.sh [seconds]
# FUZZ_BUILD_JOBS sets how many compilers run at once, FUZZ_JOBS how many targets fuzz at
# once (default for both: every processor).
set -eu
seconds=${1:-12}
. "$(dirname "$0")/common.sh"
out=$(mktemp -d "${TMPDIR:-/tmp}/orbelium-fuzz-XXXXXX")
trap 'rm -rf "$out"' EXIT
fuzz_build "$out" "${FUZZ_BUILD_JOBS:-$(nproc)}"

# Each target has a processor of its own for its seconds; their reports follow in order.
fuzz_bounded() {
    mkdir -p "$out/corpus/$1"
    cp "$fuzz_seeds/$1"/* "$out/corpus/$1/"
    status=0
    fuzz_run "$1" "$out/bin/$1" "$out/corpus/$1" "$out/findings/$1" "$out/$1.log" \
        -max_total_time="$seconds" || status=$?
    echo "$status" > "$out/$1.status"
}
fuzz_side_by_side "${FUZZ_JOBS:-$(nproc)}" fuzz_bounded $(fuzz_targets)

found=""
for name in $(fuzz_targets); do
    if [ "$(cat "$out/$name.status")" = 0 ]; then
        set -- $(fuzz_stats "$out/$name.log")
        echo "$name: $1 executions in $seconds s, cov $3, ft $4, corpus $5"
    else
        echo "$name FOUND A FAULT:"
        fuzz_show_finding "$out/$name.log" "$out/findings/$name"
        found="$found $name"
    fi
done
if [ -n "$found" ]; then
    kept=$(mktemp -d "${TMPDIR:-/tmp}/orbelium-fuzz-findings-XXXXXX")
    cp -r "$out/findings/." "$kept/"
    for name in $found; do
        cp "$out/$name.log" "$kept/"
    done
    echo "findings in:$found; their inputs are kept in $kept"
    exit 1
fi
