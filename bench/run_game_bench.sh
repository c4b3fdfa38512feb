#!/usr/bin/env bash
# Builds the headless game benchmark in Release and runs it a few times (the figures of
# a shared machine vary), printing each run's table.
#   bench/run_game_bench.sh [runs] [build folder]
# Targets: a quiet game-loop frame and the move search on a board without a move under
# 20 us each; a whole eight-planet game played by the autoplay bot under 2 s.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs="${1:-3}"
build="${2:-$root/build/release}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target game_bench
for ((run = 1; run <= runs; ++run)); do
    echo "== run $run of $runs"
    "$build/bench/game_bench" --benchmark_counters_tabular=true
done
