#!/bin/sh
# Builds the file-reader fuzz targets with clang's libFuzzer (Debian's clang and
# libclang-rt packages) under AddressSanitizer and UndefinedBehaviorSanitizer, and runs
# each for the given number of seconds (default 20) in a scratch folder.
#   tests/records/fuzz/run_fuzz.sh [seconds]
set -eu
seconds=${1:-20}
root=$(cd "$(dirname "$0")/../../.." && pwd)
out=$(mktemp -d "${TMPDIR:-/tmp}/orbelium-fuzz-XXXXXX")
flags="-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined"
flags="$flags -I$root/src -I$root/tests $(pkg-config --cflags allegro-5)"
game="$root/src/records/high_scores.cpp $root/src/records/file_replace.cpp \
      $root/src/records/text_entry.cpp $root/src/records/options.cpp \
      $root/src/saves/save_index.cpp $root/src/saves/stored_game.cpp"
# The game's records that these units touch, and the stand-in for the Allegro calls.
support="$(ls "$root"/src/board/*.cpp 2>/dev/null) $root/src/app/input.cpp $root/src/app/window.cpp \
         $root/src/app/startup.cpp $root/src/app/sound.cpp $root/src/app/transitions.cpp \
         $root/tests/support/allegro_standin.cpp"
for target in "$root/tests/records/fuzz/list_file_fuzz.cpp" "$root/tests/saves/fuzz/stored_game_fuzz.cpp"; do
    name=$(basename "$target" .cpp)
    clang++ $flags -o "$out/$name" "$target" $game $support
    mkdir -p "$out/$name.work" "$out/$name.corpus"
    (cd "$out/$name.work" && "$out/$name" -max_total_time="$seconds" -max_len=4096 \
        "$out/$name.corpus" 2>&1 | tail -n 4)
done
rm -rf "$out"
