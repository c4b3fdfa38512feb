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

# The builds and test runs are the presets of CMakePresets.json; their warnings are errors.
cd "$root"
echo "== build and test: release"
cmake --preset release >/dev/null
cmake --build --preset release -j"$jobs"
ctest --preset release -j"$jobs" || status=1
# One scenario at a time: each watches a real game against the clock, and some keep
# both processors of a small machine busy on their own.
ctest --preset e2e || status=1

echo "== build and test: address and undefined-behaviour sanitizers"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j"$jobs"
ctest --preset sanitize -j"$jobs" || status=1

exit $status
