# Shared by run_fuzz.sh (the bounded run) and campaign.sh (the long one); sourced, never
# run. Every fuzz target is tests/<subsystem>/fuzz/<name>_fuzz.cpp, beside the tests of
# the reader it fuzzes, and its seeds are tests/fuzz/corpus/<name>/.

fuzz_root=$(cd "$(dirname "$0")/../.." && pwd)
fuzz_seeds="$fuzz_root/tests/fuzz/corpus"
fuzz_flags="-std=c++20 -g -O1 -Wall -Wextra -fsanitize=address,undefined"
fuzz_flags="$fuzz_flags -fno-sanitize-recover=undefined -I$fuzz_root/src -I$fuzz_root/tests"
fuzz_flags="$fuzz_flags $(pkg-config --cflags allegro-5)"
# The game includes the header a build writes from the sheet's manifest: it is taken from
# a configured build folder, ORBELIUM_BUILD (ctest passes its own; default build/release).
fuzz_generated="${ORBELIUM_BUILD:-$fuzz_root/build/release}/generated"
if [ ! -f "$fuzz_generated/app/sheet.hpp" ]; then
    echo "no $fuzz_generated/app/sheet.hpp: build that folder's sheet_header target first" >&2
    exit 2
fi
fuzz_flags="$fuzz_flags -I$fuzz_generated"

# The target names, one a line.
fuzz_targets() {
    for source in "$fuzz_root"/tests/*/fuzz/*_fuzz.cpp; do
        basename "$source" .cpp
    done
}

# fuzz_build OUT JOBS: the game library and the Allegro stand-in compiled once (JOBS
# compilers at a time), then every target linked against them as OUT/bin/<name>.
fuzz_build() {
    fuzz_out=$1
    mkdir -p "$fuzz_out/obj" "$fuzz_out/bin"
    find "$fuzz_root/src" -name '*.cpp' ! -path '*/game/main.cpp' > "$fuzz_out/sources"
    echo "$fuzz_root/tests/support/allegro_standin.cpp" >> "$fuzz_out/sources"
    xargs -P "$2" -I{} sh -c 'clang++ '"$fuzz_flags"' -fsanitize=fuzzer-no-link -c "$1" \
        -o "'"$fuzz_out"'/obj/$(echo "$1" | md5sum | cut -c1-12).o"' _ {} \
        < "$fuzz_out/sources" || return 1
    for fuzz_source in "$fuzz_root"/tests/*/fuzz/*_fuzz.cpp; do
        fuzz_name=$(basename "$fuzz_source" .cpp)
        if [ ! -d "$fuzz_seeds/$fuzz_name" ]; then
            echo "$fuzz_name has no seeds in tests/fuzz/corpus/$fuzz_name" >&2
            return 1
        fi
        clang++ $fuzz_flags -fsanitize=fuzzer -o "$fuzz_out/bin/$fuzz_name" "$fuzz_source" \
            "$fuzz_out"/obj/*.o || return 1
    done
}

# The readers read and write their files by name in the working folder on every
# execution: on tmpfs that costs no disk (the list and stored-game writes are fsynced).
# fuzz_side_by_side JOBS FUNCTION TARGET...: runs FUNCTION TARGET for every target, JOBS
# of them at once.
fuzz_side_by_side() {
    fuzz_jobs=$1 fuzz_each=$2
    shift 2
    fuzz_running=0
    for fuzz_name in "$@"; do
        "$fuzz_each" "$fuzz_name" &
        fuzz_running=$((fuzz_running + 1))
        if [ "$fuzz_running" -ge "$fuzz_jobs" ]; then
            wait
            fuzz_running=0
        fi
    done
    wait
}

fuzz_scratch_base() {
    if [ -d /dev/shm ] && [ -w /dev/shm ]; then
        echo /dev/shm
    else
        echo "${TMPDIR:-/tmp}"
    fi
}

# fuzz_run NAME BIN CORPUS FINDINGS LOG [libFuzzer options]: fuzzes NAME from the corpus
# folder CORPUS (new inputs are added to it) in a working folder of its own; a crashing
# input is saved in FINDINGS, the whole output in LOG. Non-zero on a finding.
fuzz_run() {
    fuzz_work=$(mktemp -d "$(fuzz_scratch_base)/orbelium-$1-XXXXXX")
    mkdir -p "$4"
    fuzz_status=0
    fuzz_bin=$2 fuzz_corpus=$3 fuzz_findings=$4 fuzz_log=$5
    shift 5
    (cd "$fuzz_work" && "$fuzz_bin" -artifact_prefix="$fuzz_findings/" -print_final_stats=1 \
        -max_len=4096 -timeout=10 "$@" "$fuzz_corpus" > "$fuzz_log" 2>&1) || fuzz_status=$?
    rm -rf "$fuzz_work"
    return "$fuzz_status"
}

# fuzz_stats LOG: "executions exec/s cov ft corpus" from libFuzzer's final figures ("-"
# for a figure it did not print).
fuzz_stats() {
    awk '
        /^stat::number_of_executed_units:/ { runs = $2 }
        /^stat::average_exec_per_sec:/ { rate = $2 }
        / cov: / {
            for (i = 1; i < NF; ++i) {
                if ($i == "cov:") cov = $(i + 1)
                if ($i == "ft:") ft = $(i + 1)
                if ($i == "corp:") { split($(i + 1), c, "/"); corp = c[1] }
            }
        }
        END {
            printf "%s %s %s %s %s\n", runs == "" ? "-" : runs, rate == "" ? "-" : rate,
                cov == "" ? "-" : cov, ft == "" ? "-" : ft, corp == "" ? "-" : corp
        }' "$1"
}

# fuzz_show_finding LOG FINDINGS: the sanitizer's or the target's report and the bytes
# of every input that made it.
fuzz_show_finding() {
    awk '/runtime error|==[0-9]+==ERROR|ALARM|deadly signal/ { found = 1 } found' "$1" |
        head -n 60
    for fuzz_input in "$2"/*; do
        [ -f "$fuzz_input" ] || continue
        echo "-- input $fuzz_input ($(wc -c < "$fuzz_input") bytes):"
        od -An -c "$fuzz_input" | head -n 40
    done
}
