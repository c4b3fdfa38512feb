#!/bin/sh
# The long fuzz campaign: the targets of run_fuzz.sh (all, or those named), each fuzzed
# for the given minutes from its seeds, at the lowest priority, J targets at once
# (default 1); with --runs a target stops sooner, once it has made R executions. Prints
# per target the executions, executions per second, libFuzzer's coverage at the end
# (cov: edges reached, ft: features) and the corpus size, and any finding. Everything
# stays in the output folder it names: build/, corpus/<target>/ (the seeds and what the
# campaign added; a later campaign with the same --out goes on from it), logs/<target>.log
# and findings/<target>/ (the inputs that crashed).
#   tests/fuzz/campaign.sh --minutes N [--jobs J] [--runs R] [--out FOLDER] [TARGET...]
set -eu
usage="usage: $0 --minutes N [--jobs J] [--runs R] [--out FOLDER] [TARGET...]"
minutes="" jobs=1 runs=-1 out=""
while [ $# -gt 0 ]; do
    case $1 in
    --minutes) minutes=${2:?$usage}; shift 2 ;;
    --jobs) jobs=${2:?$usage}; shift 2 ;;
    --runs) runs=${2:?$usage}; shift 2 ;;
    --out) out=${2:?$usage}; shift 2 ;;
    -*) echo "$usage" >&2; exit 2 ;;
    *) break ;;
    esac
done
seconds=$(awk -v m="$minutes" 'BEGIN { s = int(m * 60 + 0.5); if (s > 0) print s }')
if [ -z "$seconds" ] || [ "$jobs" -lt 1 ]; then
    echo "$usage" >&2
    exit 2
fi
. "$(dirname "$0")/common.sh"
targets=${*:-$(fuzz_targets)}
for name in $targets; do
    if ! fuzz_targets | grep -qx "$name"; then
        echo "no target $name; the targets are:" $(fuzz_targets) >&2
        exit 2
    fi
done
out=${out:-$(mktemp -d "${TMPDIR:-/tmp}/orbelium-campaign-XXXXXX")}
mkdir -p "$out/logs"
out=$(cd "$out" && pwd) # the targets run in working folders of their own
# Long CPU work on a shared machine: the build and every target run at the lowest priority.
renice -n 19 -p $$ > /dev/null
echo "campaign folder: $out"
fuzz_build "$out/build" "$jobs"

campaign_one() {
    if [ ! -d "$out/corpus/$1" ]; then
        mkdir -p "$out/corpus/$1"
        cp "$fuzz_seeds/$1"/* "$out/corpus/$1/"
    fi
    status=0
    fuzz_run "$1" "$out/build/bin/$1" "$out/corpus/$1" "$out/findings/$1" \
        "$out/logs/$1.log" -max_total_time="$seconds" -runs="$runs" || status=$?
    echo "$status" > "$out/logs/$1.status"
}

echo "fuzzing $seconds s per target, $jobs at once"
fuzz_side_by_side "$jobs" campaign_one $targets

printf '%-18s %12s %8s %6s %7s %7s  %s\n' target executions exec/s cov ft corpus finding
found=""
for name in $targets; do
    set -- $(fuzz_stats "$out/logs/$name.log")
    finding=none
    if [ "$(cat "$out/logs/$name.status")" != 0 ]; then
        finding="see $out/findings/$name"
        found="$found $name"
    fi
    printf '%-18s %12s %8s %6s %7s %7s  %s\n' "$name" "$1" "$2" "$3" "$4" "$5" "$finding"
done
for name in $found; do
    echo "== $name"
    fuzz_show_finding "$out/logs/$name.log" "$out/findings/$name"
done
[ -z "$found" ]
