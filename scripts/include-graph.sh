#!/usr/bin/env bash
# The include graph of src/ from its `#include "..."` lines, at three grains:
# files, units (a header and its source as one node) and folders. Prints each
# cycle (a strongly connected set of more than one node) with its members.
#
#   scripts/include-graph.sh [--edges] [SRC_DIR]
#
# --edges prints the folder edges with the includes behind each instead.
# Exits 1 when files or units form a cycle; folder cycles are reported only,
# the layering check says which folder edges are allowed.
set -euo pipefail

mode=cycles
if [[ ${1:-} == --edges ]]; then
    mode=edges
    shift
fi
src=${1:-$(dirname "$0")/../src}
src=$(cd "$src" && pwd)

. "$(dirname "$0")/lib/include_edges.sh"
edges=$(include_edges "$src")

if [[ $mode == edges ]]; then
    awk '{ split($1, a, "/"); split($2, b, "/"); if (a[1] != b[1]) print a[1] " -> " b[1] "  " $1 " -> " $2 }' \
        <<<"$edges" | sort
    exit 0
fi

# Tarjan's strongly connected components over "from to" lines.
cycles() {
    awk '
    { if (!($1 in seen)) { seen[$1] = 1; nodes[++n] = $1 }
      if (!($2 in seen)) { seen[$2] = 1; nodes[++n] = $2 }
      if ($1 != $2 && !(($1, $2) in has)) { has[$1, $2] = 1; out[$1, ++deg[$1]] = $2 } }
    function visit(v,   i, w, member, names, size) {
        index_of[v] = low[v] = ++counter
        stack[++top] = v; on[v] = 1
        for (i = 1; i <= deg[v]; i++) {
            w = out[v, i]
            if (!(w in index_of)) { visit(w); if (low[w] < low[v]) low[v] = low[w] }
            else if (on[w] && index_of[w] < low[v]) low[v] = index_of[w]
        }
        if (low[v] != index_of[v]) return
        names = ""; size = 0
        do { member = stack[top--]; on[member] = 0; names = names " " member; size++ } while (member != v)
        if (size > 1) { found++; print "  cycle of " size ":" names }
    }
    END {
        for (i = 1; i <= n; i++) if (!(nodes[i] in index_of)) visit(nodes[i])
        print "  " found + 0 " cycle(s)"
    }'
}

status=0
echo "files:"
out=$(cycles <<<"$edges")
echo "$out"
[[ $out == *"  0 cycle(s)" ]] || status=1

echo "units (a header and its source as one):"
out=$(sed -E 's/\.(h|cpp)( |$)/\2/g' <<<"$edges" | cycles)
echo "$out"
[[ $out == *"  0 cycle(s)" ]] || status=1

echo "folders:"
awk '{ split($1, a, "/"); split($2, b, "/"); print a[1], b[1] }' <<<"$edges" | cycles

exit $status
