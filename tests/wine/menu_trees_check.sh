#!/usr/bin/env bash
# The menu trees of the preview (simulated platform) against those the real
# DLL builds in the test player under Wine, case by case, item by item:
#   menu_trees_check.sh RUNNER DUMP_EXE WORK_DIR SOURCE_DIR [LIBRARY...]
# The cases come from tg_menu_cases: generated ones, then one for each
# library file in samples/ and each LIBRARY named. The preview and
# tg_menu_cases are taken from the newest native build (build/native or
# build/native-asan; TG_NATIVE_BUILD names another).
set -uo pipefail
runner=$1 dump=$2 work=$3 source=$4
shift 4

native=${TG_NATIVE_BUILD:-}
if [ -z "$native" ]; then
  for candidate in "$source/build/native" "$source/build/native-asan"; do
    [ -x "$candidate/tools/preview/tunegrove-preview" ] || continue
    if [ -z "$native" ] || [ "$candidate/tools/preview/tunegrove-preview" -nt "$native/tools/preview/tunegrove-preview" ]; then
      native=$candidate
    fi
  done
fi
preview=$native/tools/preview/tunegrove-preview
generator=$native/tools/menu_cases/tg_menu_cases
if [ -z "$native" ] || [ ! -x "$preview" ] || [ ! -x "$generator" ]; then
  echo "menu_trees_check: no native build with the preview and tg_menu_cases;" \
       "build one first: cmake --preset native && cmake --build --preset native"
  exit 1
fi
echo "menu_trees_check: preview of $native"

windows_path() { local path; path=$(realpath -m "$1"); echo "Z:${path//\//\\}"; }

rm -rf "$work" && mkdir -p "$work/expected" "$work/actual" || exit 2
libraries=() seen=" "
for library in "$source"/samples/*.tsv "$@"; do
  [ -f "$library" ] || continue
  library=$(realpath "$library")
  [[ $seen == *" $library "* ]] && continue
  seen+="$library "
  libraries+=(--library "$library")
done
"$generator" --out "$work/cases" "${libraries[@]}" || exit 1
# Each side gets its own settings folders: a plug-in may write there.
cp -r "$work/cases" "$work/simulated" && cp -r "$work/cases" "$work/wine" || exit 2

cases=() preview_failed=0
for folder in "$work/simulated"/*/; do
  name=$(basename "$folder")
  cases+=("$name")
  playing=$(sed -n 's/^playing=//p' "$folder/case.txt")
  if ! "$preview" --library "$folder/library.tsv" --playlist "$folder/playlist.m3u" \
       --ini-dir "$folder/settings" --root "$folder/tree" --drive Z=/ --playing "$playing" \
       --json >"$work/expected/$name.json" 2>"$work/expected/$name.err"; then
    echo "case $name: the preview failed:"; cat "$work/expected/$name.err"
    preview_failed=$((preview_failed + 1))
  fi
done

"$runner" "$dump" "$(windows_path "$work/wine")" "$(windows_path "$work/actual")"
echo "menu_trees_check: the test player exited with $?"

same=0 items=0
for name in "${cases[@]}"; do
  expected=$work/expected/$name.json actual=$work/actual/$name.json
  if [ -s "$expected" ] && [ -f "$actual" ] && cmp -s "$expected" "$actual"; then
    same=$((same + 1))
    items=$((items + $(grep -c '"text"' "$expected")))
  else
    echo "case $name differs (preview first, then the test player):"
    diff -u "$expected" "$actual" | head -n 40
  fi
done
echo "menu_trees_check: ${#cases[@]} cases compared, $same identical ($items items)"
[ "$same" -eq "${#cases[@]}" ] && [ "$preview_failed" -eq 0 ] && [ "${#cases[@]}" -ge 30 ]
