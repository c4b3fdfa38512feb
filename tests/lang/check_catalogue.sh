#!/bin/sh
# The English catalogue against the code: every message translated and none fuzzy, every
# text the code marks today present in po/en.po, and the checked-in po/orbelium.pot
# holding the same texts as an extraction made now (so nobody translates from a stale one).
#
# Usage: check_catalogue.sh SOURCE_DIR XGETTEXT_OPTION... -- MARKED_SOURCE...
# (the options and sources as po/CMakeLists.txt's pot target uses them; the sources
# relative to SOURCE_DIR, so that the references read as in the checked-in template).
set -eu

source_dir=$1
shift
options=""
while [ "$#" -gt 0 ] && [ "$1" != "--" ]; do
    options="$options $1"
    shift
done
[ "$#" -gt 0 ] || { echo "usage: $0 SOURCE_DIR OPTION... -- SOURCE..." >&2; exit 2; }
shift

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
    echo "FAILED: $*"
    failed=1
}

cd "$source_dir"

# msgfmt prints its counts on stderr: "N translated messages[, M fuzzy translations][, K
# untranslated messages]."
statistics=$(msgfmt --check --statistics -o /dev/null po/en.po 2>&1) ||
    fail "msgfmt --check: $statistics"
echo "po/en.po: $statistics"
case $statistics in
*fuzzy* | *untranslated*) fail "po/en.po has messages without a finished English text" ;;
esac

# shellcheck disable=SC2086 # the options are separate words on purpose
xgettext $options -o "$work/orbelium.pot" "$@"

# msgcmp DEF REF fails on a text of REF that DEF lacks or leaves untranslated.
msgcmp po/en.po "$work/orbelium.pot" ||
    fail "the code marks texts po/en.po does not translate (listed above)"
msgcmp --use-untranslated po/orbelium.pot "$work/orbelium.pot" ||
    fail "po/orbelium.pot lacks texts the code marks: regenerate it with the pot target"
msgcmp --use-untranslated "$work/orbelium.pot" po/orbelium.pot ||
    fail "po/orbelium.pot holds texts the code no longer marks: regenerate it with the pot target"

[ "$failed" -eq 0 ] && echo "the catalogue and the template match the code"
exit "$failed"
