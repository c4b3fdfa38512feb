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

echo "== build and test: release"
cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/release" -j"$jobs"
(cd "$root/build/release" && ctest --output-on-failure -j"$jobs" -LE e2e) || status=1
# One scenario at a time: each watches a real game against the clock, and some keep
# both processors of a small machine busy on their own.
(cd "$root/build/release" && ctest --output-on-failure -L e2e) || status=1

echo "== build and test: address and undefined-behaviour sanitizers"
cmake -S "$root" -B "$root/build/sanitize" -DCMAKE_BUILD_TYPE=Debug -DORBELIUM_SANITIZE=ON >/dev/null
cmake --build "$root/build/sanitize" -j"$jobs"
(cd "$root/build/sanitize" && ASAN_OPTIONS=detect_leaks=0 \
    ctest --output-on-failure -j"$jobs" -LE "e2e|fuzz") || status=1

exit $status
