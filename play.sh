#!/usr/bin/env bash
# Builds ORBELIUM and starts it. The player's folder (settings, results, stored games)
# lives outside the source tree, so rebuilding or cleaning the checkout never touches it:
#   ${ORBELIUM_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/orbelium}
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$root/scripts/deps.sh"
orbelium_install_packages "${ORBELIUM_BUILD_PACKAGES[@]}"

build="$root/build/play"
(cd "$root" && cmake --preset play >/dev/null && cmake --build --preset play -j"$(nproc)")

home="${ORBELIUM_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/orbelium}"
# A folder made here is a new player's: the game then starts it with the settings it ships.
told=()
if [ ! -d "$home" ]; then
    told=(--new-player-folder)
fi
mkdir -p "$home"
# Only the generated pictures, sounds and fonts are refreshed; player files stay.
cp -R "$build/assets/." "$home/"
cd "$home"
exec "$build/orbelium" "${told[@]}"
