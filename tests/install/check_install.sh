#!/usr/bin/env bash
# The installed game, as a player or a packager meets it:
#   tree      `cmake --install` under an unusual prefix with DESTDIR: every file in its
#             place, the menu entry, the metainfo and the copyright file valid, the manual
#             pages and the changelog compressed as Debian does, and the installed game
#             started by name from another folder, played to the options and out.
#   package   the Debian package, built by CPack under a tight umask: its control fields,
#             lintian clean (warnings too), hardened, the binary in /usr/games, the fonts
#             linked to Debian's; installed with apt, its manual page found by man,
#             played from /usr/games, purged leaving nothing behind. Installing needs
#             root and a machine without the package; elsewhere only the package itself
#             is checked.
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

cached() {
    sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"
}
app_id="$(cached ORBELIUM_APP_ID)"
font_dir="$(cached ORBELIUM_FONT_DIR)"

# What the tree and the package both hold, under the prefix ($1) with the binary in $2/.
check_tree() {
    local root="$1" bin="$2"
    local file
    for file in "$bin/orbelium" \
        share/orbelium/gr/{,2x/,3x/}{elementy.png,planety.png,tlo2.jpg,tytul.png} \
        share/orbelium/gr/en/{,2x/,3x/}{elementy.png,tytul.png} \
        share/locale/en/LC_MESSAGES/orbelium.mo \
        share/orbelium/sam/muzyczka.ogg share/orbelium/sam/menu.wav \
        "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml" \
        share/icons/hicolor/48x48/apps/orbelium.png \
        share/icons/hicolor/128x128/apps/orbelium.png \
        share/icons/hicolor/256x256/apps/orbelium.png \
        share/icons/hicolor/scalable/apps/orbelium.svg \
        share/doc/orbelium/copyright; do
        [ -s "$root/$file" ] || fail "$root/$file is missing"
    done
    [ -x "$root/$bin/orbelium" ] || fail "$bin/orbelium is not executable"
    desktop-file-validate "$root/share/applications/$app_id.desktop" ||
        fail "the desktop entry is not valid"
    appstreamcli validate --no-net --explain "$root/share/metainfo/$app_id.metainfo.xml" ||
        fail "the metainfo is not valid"
    grep -q "<project_license>GPL-3.0-or-later</project_license>" \
        "$root/share/metainfo/$app_id.metainfo.xml" || fail "the metainfo's licence"
    "$root/$bin/orbelium" --version | grep -qx "orbelium [0-9.]*" || fail "--version"
    LANGUAGE=pl "$root/$bin/orbelium" --help | grep -q "Użycie: orbelium" || fail "--help"
    # English from the installed catalogue, whatever locales the system has.
    env -i LANG=en_US.UTF-8 "$root/$bin/orbelium" --help | grep -q "^Usage: orbelium" ||
        fail "--help in English"
    # The manual pages and the changelog as `gzip -9n` makes them: no name, no time stamp.
    local pair
    for pair in man/man6/orbelium.6.gz:docs/man/orbelium.6 \
        man/pl/man6/orbelium.6.gz:docs/man/orbelium.pl.6 \
        doc/orbelium/changelog.gz:packaging/changelog; do
        gzip -9nc "$source_dir/${pair#*:}" | cmp -s - "$root/share/${pair%%:*}" ||
            fail "share/${pair%%:*} is not ${pair#*:} compressed by gzip -9n"
    done
    [ "$(man -M "$root/share/man" -w 6 orbelium)" = "$root/share/man/man6/orbelium.6.gz" ] ||
        fail "man does not find orbelium(6) under $root/share/man"
    # A machine-readable copyright file whose every licence has its text.
    /usr/bin/python3 - "$root/share/doc/orbelium/copyright" <<'EOF' || fail "the copyright file"
import sys
from debian import copyright

with open(sys.argv[1], encoding="utf-8") as text:
    parsed = copyright.Copyright(text, strict=True)
assert parsed.header.format.endswith("/copyright-format/1.0/"), parsed.header.format
texts = {p.license.synopsis for p in parsed.all_license_paragraphs() if p.license.text}
used = {p.files: p.license.synopsis for p in parsed.all_files_paragraphs()}
assert used[("*",)] == "GPL-3+", used
assert "OFL-1.1" in used.values(), used
assert set(used.values()) <= texts, f"licences without their text: {set(used.values()) - texts}"
EOF
}

# Whether dpkg's configuration leaves the installed path $1 out (Debian's minimal container
# images drop the manual pages and most of /usr/share/doc): the last matching filter wins,
# and a '*' matches '/' too, as in a case pattern.
excluded() {
    local verdict=1 kind pattern
    while read -r kind pattern; do
        # shellcheck disable=SC2254
        case "$1" in
        $pattern) [ "$kind" = path-exclude ] && verdict=0 || verdict=1 ;;
        esac
    done < <(cat /etc/dpkg/dpkg.cfg /etc/dpkg/dpkg.cfg.d/* 2>/dev/null |
        sed -n 's/^[[:space:]]*\(path-\(ex\|in\)clude\)[[:space:]=]\+\([^[:space:]]*\).*/\1 \3/p')
    return $verdict
}

case "$what" in
tree)
    prefix=/opt/orbelium-test
    DESTDIR="$work/stage" cmake --install "$build" --prefix "$prefix" >/dev/null
    root="$work/stage$prefix"
    check_tree "$root" bin
    # Fonts and licence texts travel with a tree, as Debian's packages are not at hand.
    for file in share/orbelium/arial.ttf share/orbelium/arialbd.ttf \
        share/orbelium/LICENSE-fonts.txt share/doc/orbelium/LICENSE; do
        [[ -s "$root/$file" && ! -L "$root/$file" ]] || fail "$root/$file is missing"
    done
    grep -qx "Exec=orbelium" "$root/share/applications/$app_id.desktop" ||
        fail "the menu entry does not start orbelium from the PATH"
    # Nothing lands outside the prefix.
    outside="$(cd "$work/stage" && find . -type f -not -path ".$prefix/*")"
    [ -z "$outside" ] || fail "installed outside the prefix: $outside"
    /usr/bin/python3 "$e2e" "$root/bin/orbelium" "$build/assets" "$artifacts" installed
    ;;
package)
    # A tight umask must not leak into the package's folders (lintian's
    # non-standard-dir-perm would say so).
    (cd "$build" && umask 0077 && cpack -G DEB -B "$work/package" >/dev/null)
    deb="$(ls "$work"/package/orbelium_*.deb)"
    dpkg-deb -f "$deb" Package Version Architecture Section Depends Maintainer
    depends="$(dpkg-deb -f "$deb" Depends)"
    for needed in liballegro5.2 liballegro-image5.2 liballegro-ttf5.2 liballegro-audio5.2 \
        liballegro-acodec5.2 fonts-liberation2; do
        grep -q "\\b$needed\\b" <<<"$depends" || fail "Depends lacks $needed: $depends"
    done

    # Lintian as Debian runs it, with the informational tags shown too: no error, no
    # warning, no hardening tag.
    lintian_status=0
    lintian -I --fail-on error,warning "$deb" >"$work/lintian.txt" 2>&1 || lintian_status=$?
    grep -v "running with root privileges" "$work/lintian.txt" || echo "lintian: no tags"
    [ "$lintian_status" -eq 0 ] || fail "lintian finds errors or warnings"
    ! grep -q "hardening-no-" "$work/lintian.txt" || fail "lintian finds the binary unhardened"

    dpkg-deb -x "$deb" "$work/unpacked"
    check_tree "$work/unpacked/usr" games
    [ ! -e "$work/unpacked/usr/bin" ] || fail "the package installs into /usr/bin"
    grep -qx "Exec=/usr/games/orbelium" "$work/unpacked/usr/share/applications/$app_id.desktop" ||
        fail "the menu entry does not start /usr/games/orbelium"
    # At most two lintian overrides, each under a line giving its reason.
    overrides="$work/unpacked/usr/share/lintian/overrides/orbelium"
    if [ -e "$overrides" ]; then
        awk '/^#/ { reason = 1; next } /^[^[:space:]]/ { n++; if (!reason) bad = 1; reason = 0 }
             END { exit (n > 2 || bad) }' "$overrides" ||
            fail "more than two lintian overrides, or one without its reason"
    fi
    # The game's font names are links to Debian's Liberation Sans.
    for pair in arial.ttf:LiberationSans-Regular.ttf arialbd.ttf:LiberationSans-Bold.ttf; do
        link="$work/unpacked/usr/share/orbelium/${pair%%:*}"
        [ -L "$link" ] || fail "${pair%%:*} is not a link"
        target="$(realpath -m "/usr/share/orbelium/$(readlink "$link")")"
        [ "$target" = "$font_dir/${pair#*:}" ] || fail "${pair%%:*} points at $target"
        [[ "$(dpkg-query -S "$target")" == fonts-liberation2:* ]] ||
            fail "$target does not belong to fonts-liberation2"
    done
    # Hardened as Debian's builds are; control-flow protection only where this Debian's
    # dpkg-buildflags knows it.
    hardening=()
    features="$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --query-features hardening)"
    grep -qx "Feature: branch" <<<"$features" || hardening+=(--nocfprotection)
    hardening-check "${hardening[@]}" "$work/unpacked/usr/games/orbelium" ||
        fail "hardening-check"

    if [ "$(id -u)" -ne 0 ] || dpkg-query -W orbelium >/dev/null 2>&1; then
        echo "package: not installed here (needs root and no orbelium package installed)"
        exit 0
    fi
    # Every path of the package, and which of them the machine had before.
    paths=()
    while read -r path; do
        paths+=("/${path#./}")
    done < <(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|/$||' | grep -v '^\.$')
    existed=()
    for path in "${paths[@]}"; do
        [ -e "$path" ] || [ -L "$path" ] && existed+=("$path")
    done
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" \
        </dev/null >/dev/null
    trap 'DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq orbelium </dev/null >/dev/null; rm -rf "$work"' EXIT
    for path in "${paths[@]}"; do
        [ -d "$path" ] && [ ! -L "$path" ] && continue
        if excluded "$path"; then
            echo "left out by dpkg's configuration: $path"
        elif [ ! -e "$path" ]; then
            fail "$path is not installed"
        fi
    done
    if excluded /usr/share/man/man6/orbelium.6.gz; then
        man -M "$work/unpacked/usr/share/man" -w 6 orbelium >/dev/null ||
            fail "man does not find orbelium(6) in the package"
    else
        [ "$(man -w 6 orbelium)" = /usr/share/man/man6/orbelium.6.gz ] ||
            fail "man does not find orbelium(6) after the install"
    fi
    /usr/bin/python3 "$e2e" /usr/games/orbelium "$build/assets" "$artifacts" installed
    DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq orbelium </dev/null >/dev/null
    trap 'rm -rf "$work"' EXIT
    dpkg-query -W orbelium >/dev/null 2>&1 && fail "the package is still installed"
    for path in "${paths[@]}"; do
        [[ " ${existed[*]} " == *" $path "* ]] && continue
        [[ ! -e "$path" && ! -L "$path" ]] || fail "$path is left after the purge"
    done
    echo "package: installed, played and purged"
    ;;
*)
    fail "unknown check $what"
    ;;
esac
