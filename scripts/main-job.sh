#!/usr/bin/env bash
# The main job: builds both builds and shows the plug-in at work on the bundled
# sample data. Each step is one function, listed in STEPS in the order it runs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/x86.sh
root=$(pwd)
jobs=${TG_JOBS:-2}
out=build/main-job
mkdir -p "$out"
preview=build/native/tools/preview/tunegrove-preview

build_preset() {
  echo "== building preset $1"
  cmake --preset "$1" >"$out/configure-$1.log" 2>&1 || { cat "$out/configure-$1.log"; return 1; }
  cmake --build --preset "$1" -j "$jobs"
}

step_build_native() { build_preset native; }
# The x86 DLL for the 32-bit player, the main product; the x64 one for 64-bit hosts.
step_build_windows() { build_preset windows && build_preset windows-x64; }

# What the player will load: format, the one export and the DLLs it needs.
show_dll() {
  local build=$1 machine=$2 dll=$1/ml_tg.dll objdump
  objdump=$(sed -n 's/^CMAKE_OBJDUMP:FILEPATH=//p' "$build/CMakeCache.txt")
  echo "== $dll ($machine, $(stat -c %s "$dll") bytes)"
  OBJDUMP=$objdump MACHINE=$machine scripts/check-dll.sh "$dll"
  echo "-- functions imported, by DLL"
  "$objdump" -p "$dll" | awk '/DLL Name:/ {if (dll) print "  " dll ": " n; dll = $3; n = 0; next}
                               dll && /^\t[0-9a-f]+\t/ {n++}
                               END {if (dll) print "  " dll ": " n}'
}
step_show_dll() { show_dll build/windows x86 && echo && show_dll build/windows-x64 x64; }

# The real plug-in in the simulated player on the bundled samples: the menus a
# first run gives, one level open, as the player's Options > Visualization
# popup carries them.
step_preview_menus() {
  echo "== tunegrove-preview --depth 1 (bundled samples, first-run menus)"
  "$preview" --depth 1
}

# A left click on an album: the messages the player receives, then its playlist
# and the play-next queue.
step_preview_click() {
  local path="Media Library/J -> Ma/Marlowe/(1958) Detective Stories"
  echo "== tunegrove-preview --click \"$path\""
  "$preview" --click "$path"
}

# The settings file a first run writes into an empty settings folder.
step_preview_first_run_file() {
  local folder=$out/first-run
  rm -rf "$folder" && mkdir -p "$folder"
  echo "== first-run settings file (Plugins\\ml_tg.ini), written by the plug-in"
  "$preview" --ini-dir "$folder" --depth 0 >/dev/null
  cat "$folder/Plugins/ml_tg.ini"
}

# The real DLL in the Windows test player under Wine and Xvfb: its script opens
# the plug-in's Media Library menu, times its opening and saves a picture of
# the open menus. The x86 DLL where 32-bit code runs natively; elsewhere the
# x64 one, since an emulated player's timings would mean nothing.
step_screenshot() {
  local build=build/windows-x64 why="32-bit x86 programs do not run natively here"
  if x86_runs_natively; then build=build/windows why="the main product"; fi
  local exe script=tools/tg_host/scripts/menu_screenshot.tgs folder=$root/$out/screenshot
  exe=$(find "$build" -maxdepth 3 -name tg_host.exe -print -quit 2>/dev/null || true)
  [ -n "$exe" ] || { echo "tg_host.exe was not built in $build"; return 1; }
  exe=$root/$exe
  echo "== screenshot: $exe with $build/ml_tg.dll ($why) under Wine + Xvfb"
  rm -rf "$folder" && mkdir -p "$folder"
  local output png
  output=$(cd "$folder" && TG_WINEPREFIX=$root/$build/wineprefix \
    "$root/scripts/run-wine-test.sh" "$exe" --dll "Z:$root/$build/ml_tg.dll" \
      --library "Z:$root/samples/library.tsv" --playlist "Z:$root/samples/playlist.m3u" \
      --ini-dir "Z:$folder/settings" --script "Z:$root/$script" 2>&1) || { printf '%s\n' "${output//$'\r'/}"; return 1; }
  output=${output//$'\r'/}
  printf '%s\n' "$output" | tail -n 5
  echo "-- the menu's opening, timed inside the player (QueryPerformanceCounter)"
  grep '^  opened ' <<<"$output" || true
  png=$(sed -n 's/^screenshot: //p' <<<"$output" | tail -n 1)
  [ -n "$png" ] || { echo "no picture was saved"; return 1; }
  case $png in /*) ;; *) png=$folder/$png ;; esac
  [ -f "$png" ] || { echo "no picture at $png"; return 1; }
  echo "screenshot saved: $png (taken with $build/ml_tg.dll)"
}

STEPS=(step_build_native step_build_windows step_show_dll step_preview_menus
       step_preview_click step_preview_first_run_file step_screenshot)

for step in "${STEPS[@]}"; do
  "$step"
  echo
done
echo "main job done"
