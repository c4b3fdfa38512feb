#!/usr/bin/env bash
# Builds the game and measures its start-up: time to the first title frame and peak
# resident memory, under Xvfb. Targets: under 0.4 s and under 120 MB.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/release"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target orbelium
probe="$build/first_frame_probe.so"
c++ -O2 -shared -fPIC -o "$probe" "$root/bench/first_frame_probe.cpp" -ldl
/usr/bin/python3 "$root/bench/startup_bench.py" "$build/orbelium" "$build/assets" "$probe" "${1:-5}"
