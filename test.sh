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
# The end-to-end runs drive a real window on a shared machine, where a slow moment can
# make a screenshot miss a frame (and the window-close scenario meets an X11 hang inside
# Allegro and Mesa about one run in four); a scenario that fails is run up to twice more,
# and fails the whole run only when it fails three times.
(cd "$root/build/release" && ctest --output-on-failure --repeat until-pass:3 -L e2e) || status=1

echo "== build and test: address and undefined-behaviour sanitizers"
cmake -S "$root" -B "$root/build/sanitize" -DCMAKE_BUILD_TYPE=Debug -DORBELIUM_SANITIZE=ON >/dev/null
cmake --build "$root/build/sanitize" -j"$jobs"
(cd "$root/build/sanitize" && ASAN_OPTIONS=detect_leaks=0 \
    ctest --output-on-failure -j"$jobs" -LE "e2e|fuzz") || status=1

exit $status
