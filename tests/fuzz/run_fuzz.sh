#!/bin/sh
# Builds the fuzz targets of the player-file readers (result lists, settings and count,
# stored games) with clang's libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer, against the whole game library and the Allegro stand-in,
# and runs each for the given number of seconds (default 20) in a scratch folder. Exits
# non-zero when a target finds a crash.
#   tests/fuzz/run_fuzz.sh [seconds]
set -eu
seconds=${1:-20}
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d "${TMPDIR:-/tmp}/orbelium-fuzz-XXXXXX")
trap 'rm -rf "$out"' EXIT
flags="-std=c++20 -g -O1 -fsanitize=address,undefined -fno-sanitize-recover=undefined"
flags="$flags -I$root/src -I$root/tests $(pkg-config --cflags allegro-5)"

# The game library and the stand-in, compiled once for every target.
mkdir -p "$out/obj"
find "$root/src" -name '*.cpp' ! -path '*/app/main.cpp' > "$out/sources"
echo "$root/tests/support/allegro_standin.cpp" >> "$out/sources"
xargs -P "$(nproc)" -I{} sh -c \
    'clang++ '"$flags"' -fsanitize=fuzzer-no-link -c "$1" -o "'"$out"'/obj/$(echo "$1" | md5sum | cut -c1-12).o"' \
    _ {} < "$out/sources"

for target in "$root/tests/records/fuzz/list_file_fuzz.cpp" \
              "$root/tests/app/fuzz/settings_fuzz.cpp" \
              "$root/tests/saves/fuzz/stored_game_fuzz.cpp"; do
    name=$(basename "$target" .cpp)
    clang++ $flags -fsanitize=fuzzer -o "$out/$name" "$target" "$out"/obj/*.o
    mkdir -p "$out/$name.work" "$out/$name.corpus"
    echo "== $name: $seconds s"
    status=0
    (cd "$out/$name.work" && "$out/$name" -max_total_time="$seconds" -max_len=4096 \
        "$out/$name.corpus" > "$out/$name.log" 2>&1) || status=$?
    tail -n 3 "$out/$name.log"
    if [ "$status" -ne 0 ]; then
        cat "$out/$name.log"
        echo "$name found a crash"
        exit 1
    fi
done
