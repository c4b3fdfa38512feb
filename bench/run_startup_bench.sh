#!/usr/bin/env bash
# Builds the game and measures it under Xvfb beside the floor of its own stack (an empty
# window set up as the game sets Allegro up, asleep on its event queue, silent and with
# the game's music streaming: bench/floor_window.cpp), in the same run: time to the first
# presented frame, peak resident and private memory, and the processor share (the game's
# and the X server's) with the pictures per second while nothing moves: at the main menu,
# on the pages, in a waiting timed game (music on, both volumes 0, on a 60 Hz display
# holding its flips and a 144 Hz one whose flips cost nothing: bench/display_shim.c), in
# a waiting relaxed game, after a cascading swap, and while the pointer sweeps back and
# forth across the relaxed game's board for 5 s (100 motion events a second, no button,
# driven through XTest from the benchmark itself, the same sweep over the floors' windows),
# and with the music off at the main menu, the bonus table and the rules beside a window
# with no audio at all (floor_window bare): nothing sounding, the game stops its voice.
#   bench/run_startup_bench.sh [runs] [build folder]
#                              [--start-only|--full-screen|--pointer-only|--quiet-only]
# --start-only measures the first frame and the memory alone, for quick comparisons;
# --full-screen only the figures full screen on a 1920 x 1080 screen (memory beside the
# window's, pictures per second while the board moves); --pointer-only only the waiting
# relaxed game and the pointer swept over it, beside the floors; --quiet-only only the
# menu and the two pages with the music off, beside the bare window and the silent floor.
# Targets, printed beside the figures: first frame under 0.15 s; peak resident memory
# within 20 MB of the floor's; a quiet screen at most 2 % of a processor (1 % in a game
# with both volumes 0) and its X server at most 0.5 %; with the music off, within 0.5 %
# of a processor of the bare window; the game under the sweeping pointer within 2 % of a
# processor above the floor under the same sweep.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# The flags may come anywhere, so that a part alone needs no runs or folder before it.
flags=()
positional=()
for arg in "$@"; do
    case "$arg" in
        --*) flags+=("$arg") ;;
        *) positional+=("$arg") ;;
    esac
done
runs="${positional[0]:-3}"
build="${positional[1]:-$root/build/release}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target orbelium floor_window
probe="$build/first_frame_probe.so"
shim="$build/display_shim.so"
c++ -O2 -shared -fPIC -o "$probe" "$root/bench/first_frame_probe.cpp" -ldl
cc -O2 -shared -fPIC -o "$shim" "$root/bench/display_shim.c" -ldl
/usr/bin/python3 "$root/bench/startup_bench.py" "$build/orbelium" "$build/assets" \
    "$build/bench/floor_window" "$probe" "$shim" "$runs" "${flags[@]}"
