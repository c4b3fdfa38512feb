#!/usr/bin/env bash
# Builds ORBELIUM and runs every test: the unit and screen tests (also under
# AddressSanitizer and UndefinedBehaviorSanitizer), the asset checks, and the
# end-to-end tests of the real game in a virtual X display.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$root/scripts/deps.sh"
orbelium_install_packages "${ORBELIUM_BUILD_PACKAGES[@]}" "${ORBELIUM_TEST_PACKAGES[@]}"

jobs="$(nproc)"
status=0
# The time of each stage, printed at the end.
stages=()
stage_began=$SECONDS
stage_done() {
    stages+=("$(printf '%-24s %5d s' "$1" $((SECONDS - stage_began)))")
    stage_began=$SECONDS
}
stage_done "packages"

# The builds and test runs are the presets of CMakePresets.json; their warnings are errors.
cd "$root"
echo "== build and test: release"
cmake --preset release >/dev/null
cmake --build --preset release -j"$jobs"
stage_done "release build"
ctest --preset release -j"$jobs" || status=1
stage_done "release tests"
# Two scenarios side by side, each with its own display, player folder and screenshot
# names; the one that measures the game's pace runs alone (RUN_SERIAL in
# tests/CMakeLists.txt).
ctest --preset e2e -j2 || status=1
stage_done "end-to-end scenarios"

echo "== build and test: address and undefined-behaviour sanitizers"
# Only the programs its tests run are built here (the preset's target list): the game
# itself, the benchmarks and the preview tool are built and run in the release stage, and
# so are the asset checks; this build runs the asset generator itself, under the
# sanitizers, to make the fonts the text tests measure with.
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j"$jobs"
stage_done "sanitize build"
ctest --preset sanitize -j"$jobs" || status=1
stage_done "sanitize tests"

echo "== time of each stage"
printf '%s\n' "${stages[@]}"
echo "total: $SECONDS s"
exit $status
