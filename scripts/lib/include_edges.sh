# The `#include "..."` edges of a source tree, for the include graph and the
# layering check. Source it; it defines:
#
#   include_edges SRC   one line per include, "FROM TO", both relative to SRC
#
# A quoted name is looked up beside the including file first, then from SRC
# (the include root); a name found in neither is not the tree's and is skipped.

include_edges() {
    local src=$1 file dir name
    while IFS= read -r file; do
        dir=$(dirname "$file")
        while IFS= read -r name; do
            if [[ -f $src/$dir/$name ]]; then
                echo "$file $(realpath --relative-to="$src" "$src/$dir/$name")"
            elif [[ -f $src/$name ]]; then
                echo "$file $name"
            fi
        done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$src/$file")
    done < <(cd "$src" && find . \( -name '*.h' -o -name '*.cpp' \) -printf '%P\n' | sort)
}
