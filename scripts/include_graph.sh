#!/bin/sh
# Prints how often each folder of src/ includes each other folder ("from -> to: count"),
# then every pair of folders that include each other, and "no folder cycle" when the
# folders form no cycle. Run from anywhere in the checkout.
cd "$(dirname "$0")/.." || exit 1
grep -rHo '#include "[a-z_]*/' src --include='*.cpp' --include='*.hpp' |
    sed 's|^src/\([a-z_]*\)/[^:]*:#include "\([a-z_]*\)/$|\1 \2|' |
    awk '$1 != $2 { n[$1 " -> " $2]++ } END { for (k in n) print k ": " n[k] }' | sort |
    tee /tmp/include_graph.$$ 
awk -F'[ :]+' '{ print $1, $3 }' /tmp/include_graph.$$ | tsort >/dev/null 2>/tmp/include_cycle.$$
if [ -s /tmp/include_cycle.$$ ]; then
    # tsort names each loop it breaks, one folder a line after a "contains a loop" line.
    sed 's/^tsort: //' /tmp/include_cycle.$$ |
        awk '/loop/ { if (l != "") print "folder cycle: " l; l = ""; next } { l = l (l == "" ? "" : " -> ") $0 }
             END { if (l != "") print "folder cycle: " l }'
    status=1
else
    echo "no folder cycle"
    status=0
fi
rm -f /tmp/include_graph.$$ /tmp/include_cycle.$$
exit $status
