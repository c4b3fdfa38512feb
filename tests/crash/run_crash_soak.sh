#!/usr/bin/env bash
# The long form of the crash tests, beside the short one the test command runs:
#   1. the driver (orbelium_crash_writer) kills each kind of write (options, stored game,
#      list) the given number of times, or for the given minutes each, half of the kills at
#      its calls in turn and half at random moments;
#   2. the real game, under Xvfb, is killed at the calls of each write in turn, the given
#      number of times per kind (the crash_* end-to-end scenarios).
# Prints the kills survived per kind of write; exits non-zero at the first kill whose
# files are not as they must be.
# Usage: tests/crash/run_crash_soak.sh BUILD_DIR [--kills N] [--minutes M] [--game-kills K]
#   defaults: 3000 driver kills per kind, no minimum time, 32 kills of the real game per kind.
#   BUILD_DIR holds orbelium, its assets and the crash targets (orbelium_crash_writer,
#   orbelium_crash_points).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="$(cd "${1:?usage: run_crash_soak.sh BUILD_DIR [--kills N] [--minutes M] [--game-kills K]}" && pwd)"
shift
kills=3000
minutes=0
game_kills=32
while [ $# -gt 0 ]; do
    case "$1" in
    --kills) kills="$2" ;;
    --minutes) minutes="$2" ;;
    --game-kills) game_kills="$2" ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
    esac
    shift 2
done

echo "== the game's writes, headless: $kills kills per kind at least, ${minutes} min each"
"$build/tests/orbelium_crash_writer" --kind all --kills "$kills" \
    --seconds "$(awk "BEGIN { print $minutes * 60 }")" --seed "$(date +%s)"

echo "== the real game: $game_kills kills per kind"
export ORBELIUM_CRASH_KILLS="$game_kills"
export ORBELIUM_CRASH_POINTS="$build/tests/liborbelium_crash_points.so"
for scenario in crash_options crash_list crash_store; do
    /usr/bin/python3 "$here/../e2e/e2e.py" "$build/orbelium" "$build/assets" \
        "$build/e2e-artifacts" "$scenario" | grep -E "^(crash_|passed|FAILED)|killed at"
done
