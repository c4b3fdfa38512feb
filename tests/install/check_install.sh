#!/usr/bin/env bash
# The installed game, as a player or a packager meets it:
#   tree      `cmake --install` under an unusual prefix with DESTDIR: every file in its
#             place, the menu entry and the metainfo valid, and the installed game
#             started by name from another folder, played to the options and out.
#   package   the Debian package: built by CPack, its control fields, installed with
#             apt, played from /usr/bin, removed cleanly. Installing needs root and a
#             machine without the package; elsewhere only the package's build and
#             fields are checked.
# Usage: check_install.sh tree|package BUILD_DIR SOURCE_DIR
set -euo pipefail
what="$1"
build="$(cd "$2" && pwd)"
source_dir="$(cd "$3" && pwd)"
e2e="$source_dir/tests/e2e/e2e.py"
artifacts="$build/e2e-artifacts"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

app_id="$(sed -n 's/^ORBELIUM_APP_ID:STRING=//p' "$build/CMakeCache.txt")"

check_tree() {
    local root="$1" # the prefix as installed
    local file
    for file in bin/orbelium \
        share/orbelium/gr/elementy.png share/orbelium/gr/planety.png \
        share/orbelium/gr/tlo2.jpg share/orbelium/gr/tytul.png \
        share/orbelium/arial.ttf share/orbelium/arialbd.ttf \
        share/orbelium/sam/muzyczka.ogg share/orbelium/sam/menu.wav \
        "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml" \
        share/icons/hicolor/48x48/apps/orbelium.png \
        share/icons/hicolor/128x128/apps/orbelium.png \
        share/icons/hicolor/256x256/apps/orbelium.png \
        share/icons/hicolor/scalable/apps/orbelium.svg \
        share/doc/orbelium/LICENSE share/doc/orbelium/LICENSE-fonts.txt \
        share/doc/orbelium/copyright; do
        [ -s "$root/$file" ] || fail "$root/$file is missing"
    done
    [ -x "$root/bin/orbelium" ] || fail "bin/orbelium is not executable"
    desktop-file-validate "$root/share/applications/$app_id.desktop" ||
        fail "the desktop entry is not valid"
    appstreamcli validate --no-net --explain "$root/share/metainfo/$app_id.metainfo.xml" ||
        fail "the metainfo is not valid"
    "$root/bin/orbelium" --version | grep -qx "orbelium [0-9.]*" || fail "--version"
    "$root/bin/orbelium" --help | grep -q "Użycie: orbelium" || fail "--help"
}

case "$what" in
tree)
    prefix=/opt/orbelium-test
    DESTDIR="$work/stage" cmake --install "$build" --prefix "$prefix" >/dev/null
    check_tree "$work/stage$prefix"
    # Nothing lands outside the prefix.
    outside="$(cd "$work/stage" && find . -type f -not -path ".$prefix/*")"
    [ -z "$outside" ] || fail "installed outside the prefix: $outside"
    /usr/bin/python3 "$e2e" "$work/stage$prefix/bin/orbelium" "$build/assets" "$artifacts" installed
    ;;
package)
    (cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
    deb="$(ls "$work"/package/orbelium_*.deb)"
    dpkg-deb -f "$deb" Package Version Architecture Section Depends Maintainer
    depends="$(dpkg-deb -f "$deb" Depends)"
    for library in liballegro5.2 liballegro-image5.2 liballegro-ttf5.2 liballegro-audio5.2 \
        liballegro-acodec5.2; do
        grep -q "\\b$library\\b" <<<"$depends" || fail "Depends lacks $library: $depends"
    done
    dpkg-deb -x "$deb" "$work/unpacked"
    check_tree "$work/unpacked/usr"
    if [ "$(id -u)" -ne 0 ] || dpkg-query -W orbelium >/dev/null 2>&1; then
        echo "package: not installed here (needs root and no orbelium package installed)"
        exit 0
    fi
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" \
        </dev/null >/dev/null
    trap 'DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq orbelium </dev/null >/dev/null; rm -rf "$work"' EXIT
    [ "$(command -v orbelium)" = /usr/bin/orbelium ] || fail "orbelium is not on the PATH"
    /usr/bin/python3 "$e2e" /usr/bin/orbelium "$build/assets" "$artifacts" installed
    DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq orbelium </dev/null >/dev/null
    trap 'rm -rf "$work"' EXIT
    dpkg-query -W orbelium >/dev/null 2>&1 && fail "the package is still installed"
    for left in /usr/bin/orbelium /usr/share/orbelium /usr/share/doc/orbelium \
        "/usr/share/applications/$app_id.desktop"; do
        [ ! -e "$left" ] || fail "$left is left after the removal"
    done
    echo "package: installed, played and removed"
    ;;
*)
    fail "unknown check $what"
    ;;
esac
