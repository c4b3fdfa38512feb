#!/usr/bin/env bash
# Builds the soak under AddressSanitizer and UndefinedBehaviorSanitizer in a build folder of
# its own and plays whole games headless, relaxed and timed in turn, printing each game and
# the totals. The first finding stops it with the seed that plays that game again.
#   bench/run_soak.sh [--games N] [--seed S] [--mode relaxed|timed|both] [--build DIR]
# Defaults: 200 games from seed 1 in build/soak. CMAKE_BUILD_PARALLEL_LEVEL sets the build's
# jobs (all processors otherwise).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
games=200
seed=1
mode=both
build="$root/build/soak"
while (($# > 0)); do
    case "$1" in
    --games) games="$2" ;;
    --seed) seed="$2" ;;
    --mode) mode="$2" ;;
    --build) build="$2" ;;
    *)
        echo "usage: $0 [--games N] [--seed S] [--mode relaxed|timed|both] [--build DIR]" >&2
        exit 2
        ;;
    esac
    shift 2
done
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DORBELIUM_SANITIZE=ON >/dev/null
cmake --build "$build" -j"${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}" --target orbelium_soak
# Leak checking stays on: memory still held when the games are over is a finding too.
UBSAN_OPTIONS=print_stacktrace=1 \
    "$build/bench/orbelium_soak" --games "$games" --seed "$seed" --mode "$mode"
