#!/usr/bin/env bash
# Builds the fuzz preset and runs each fuzzer for a short while, one after
# another: 30 s each, or FUZZ_SECONDS. Names given as arguments run only those
# fuzzers. Each starts from its committed seeds (fuzz/corpus/NAME, never
# written) and from what earlier runs found (build/fuzz/corpus-run/NAME).
# An input that breaks a fuzzer is kept in build/fuzz/findings/. Exits non-zero
# when the build fails or any fuzzer finds a fault.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}
jobs=${TG_JOBS:-2}

echo "==== fuzz: configure and build"
if ! cmake --preset fuzz >/dev/null || ! cmake --build --preset fuzz -j "$jobs"; then
  echo "fuzz: FAILED to build"
  exit 1
fi

fuzzers=("$@")
if [ ${#fuzzers[@]} -eq 0 ]; then
  for program in build/fuzz/fuzz/*_fuzzer; do fuzzers+=("$(basename "$program")"); done
fi
mkdir -p build/fuzz/findings
status=0
summary=()
for name in "${fuzzers[@]}"; do
  program=build/fuzz/fuzz/$name
  work=build/fuzz/corpus-run/$name
  log=build/fuzz/$name.log
  mkdir -p "$work"
  args=(-max_total_time="$seconds" -max_len=8192 -timeout=10 -print_final_stats=1
        -artifact_prefix="build/fuzz/findings/$name-")
  [ -f "fuzz/dict/$name.dict" ] && args+=(-dict="fuzz/dict/$name.dict")
  echo "==== fuzz: $name for $seconds s"
  "$program" "${args[@]}" "$work" "fuzz/corpus/$name" >"$log" 2>&1
  rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  corpus=$(find "$work" "fuzz/corpus/$name" -type f | wc -l)
  if [ "$rc" -eq 0 ]; then
    summary+=("$(printf '%-24s ok:     %9s runs, corpus %s' "$name" "${runs:-?}" "$corpus")")
  else
    status=1
    summary+=("$(printf '%-24s FAILED: exit %s, see %s' "$name" "$rc" "$log")")
    grep -E 'fuzz check failed|ERROR:|SUMMARY:|Test unit written' "$log" | head -n 8
  fi
done

echo
echo "==== fuzz summary"
printf '%s\n' "${summary[@]}"
exit $status
