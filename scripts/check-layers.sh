#!/usr/bin/env bash
# Holds the folders of src/ to their layers: a folder includes from its own
# folder, from the folders below it and from the bottom headers, and from
# nothing else but the exceptions named below, each with its reason.
#
#   scripts/check-layers.sh [SRC_DIR]
#
# Fails on an include that breaks the layers, on a folder without a layer and
# on an exception the code no longer needs.
set -euo pipefail

src=${1:-$(dirname "$0")/../src}
src=$(cd "$src" && pwd)
. "$(dirname "$0")/lib/include_edges.sh"

# Lower layers first: platform <- model <- menus <- actions <- plugin, prefs.
# plugin and prefs share the top; neither includes the other but by exception.
declare -A layer=(
    [platform]=0 [resources]=0 [model]=1 [menus]=2 [actions]=3 [plugin]=4 [prefs]=4
)

# Data only (the player's message numbers and record layouts): any folder.
bottom=(plugin/host_contract.h)

# FOLDER TARGET REASON: FOLDER may include TARGET (a file, or a whole folder).
exceptions=(
    "model plugin/host_messages.h the settings folder is the player's, asked by message"
    "menus plugin/host_messages.h level queries and the song now playing are the library's answers"
    "actions plugin/host_messages.h the actions hand the tracks to the player by message"
    "prefs plugin/host_messages.h the library views file lives in the player's settings folder"
    "menus plugin/file_info.h the song now playing's tags are the library's record of it"
    "model plugin/host_handles.h the global hotkey belongs to the player's window"
    "actions plugin/host_handles.h error boxes and the menu bar belong to the player's window"
    "prefs plugin/host_handles.h dialog templates come from the plug-in's module"
    "menus actions/queue_hand_over.h a level opened for the song now playing updates the playing file"
    "prefs plugin/plugin_menu.h menu placement: the preferences move the plug-in's menu"
    "plugin prefs/preferences_dialog.h menu placement: the library's config message opens the preferences"
    "plugin prefs/prefs_state.h the one reset list clears the preferences' state with the plug-in's"
    "prefs plugin/entry_guard.h dialog procedures are entries from the system, guarded like the frame's"
    "prefs plugin/frame_state.h the options dialog registers the hotkey again under the frame's atom"
)

declare -A used=()
failed=0
while read -r from to; do
    from_dir=${from%%/*}
    to_dir=${to%%/*}
    [[ $from_dir == "$to_dir" ]] && continue
    for folder in "$from_dir" "$to_dir"; do
        if [[ -z ${layer[$folder]+set} ]]; then
            echo "src/$folder has no layer: give it one in $0"
            exit 1
        fi
    done
    (( layer[$to_dir] < layer[$from_dir] )) && continue
    for b in "${bottom[@]}"; do [[ $to == "$b" ]] && continue 2; done
    for e in "${exceptions[@]}"; do
        read -r folder target _ <<<"$e"
        if [[ $folder == "$from_dir" && ($to == "$target" || $to_dir == "$target") ]]; then
            used[$folder $target]=1
            continue 2
        fi
    done
    echo "src/$from includes src/$to: $from_dir may not include $to_dir"
    failed=1
done < <(include_edges "$src")

for e in "${exceptions[@]}"; do
    read -r folder target _ <<<"$e"
    if [[ -z ${used[$folder $target]+set} ]]; then
        echo "no include of src/$folder needs the exception for $target any longer: remove it"
        failed=1
    fi
done

if (( failed )); then exit 1; fi
echo "layers hold: ${#exceptions[@]} named exceptions"
