#!/usr/bin/env bash
# Builds the game and measures it under Xvfb beside the floor of its own stack (an empty
# window set up as the game sets Allegro up, bench/floor_window.cpp), in the same run:
# time to the first presented frame, peak resident and private memory, the processor
# share while idle at the main menu, and the frames per second of a timed game, free and
# with flips held to 60 Hz (bench/vsync60_shim.c).
#   bench/run_startup_bench.sh [runs] [build folder] [--start-only]
# --start-only measures the first frame and the memory alone, for quick comparisons.
# Targets: first frame under 0.15 s; peak resident memory within 20 MB of the floor's;
# under 3 % of a processor idle at the menu.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs="${1:-5}"
build="${2:-$root/build/release}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target orbelium floor_window
probe="$build/first_frame_probe.so"
shim="$build/vsync60_shim.so"
c++ -O2 -shared -fPIC -o "$probe" "$root/bench/first_frame_probe.cpp" -ldl
cc -O2 -shared -fPIC -o "$shim" "$root/bench/vsync60_shim.c" -ldl
/usr/bin/python3 "$root/bench/startup_bench.py" "$build/orbelium" "$build/assets" \
    "$build/bench/floor_window" "$probe" "$shim" "$runs" ${3:+"$3"}
