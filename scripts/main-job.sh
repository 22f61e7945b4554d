#!/usr/bin/env bash
# The main job: builds both builds and shows the plug-in at work on the bundled
# sample data. Each step is one function, listed in STEPS in the order it runs.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${TG_JOBS:-2}
out=build/main-job
mkdir -p "$out"

build_preset() {
  echo "== building preset $1"
  cmake --preset "$1" >"$out/configure-$1.log" 2>&1 || { cat "$out/configure-$1.log"; return 1; }
  cmake --build --preset "$1" -j "$jobs"
}

step_build_native() { build_preset native; }
step_build_windows() { build_preset windows; }

# What the player will load: format, the one export and the DLLs it needs.
step_show_dll() {
  local dll=build/windows/ml_tg.dll objdump
  objdump=$(sed -n 's/^CMAKE_OBJDUMP:FILEPATH=//p' build/windows/CMakeCache.txt)
  echo "== $dll ($(stat -c %s "$dll") bytes)"
  OBJDUMP=$objdump scripts/check-dll.sh "$dll"
  echo "-- functions imported, by DLL"
  "$objdump" -p "$dll" | awk '/DLL Name:/ {if (dll) print "  " dll ": " n; dll = $3; n = 0; next}
                               dll && /^\t[0-9a-f]+\t/ {n++}
                               END {if (dll) print "  " dll ": " n}'
}

# The settings file the plug-in writes on its first run, before any user change.
step_first_run_settings() {
  local folder=$out/first-run
  rm -rf "$folder"
  echo "== first-run settings file (Plugins\\ml_tg.ini)"
  build/native/tools/first_run/tg_first_run_settings "$folder"
}

STEPS=(step_build_native step_build_windows step_show_dll step_first_run_settings)

for step in "${STEPS[@]}"; do
  "$step"
  echo
done
echo "main job done"
