#!/usr/bin/env bash
# Builds the native preset with ASan + UBSan and the Windows preset, runs both
# test suites (the Windows one under Wine), runs the tests that start threads
# under ThreadSanitizer and each fuzzer briefly (scripts/fuzz-smoke.sh), and
# ends with a summary. Exits non-zero when any configure, build or test step
# fails.
set -uo pipefail
cd "$(dirname "$0")/.."
jobs=${TG_JOBS:-2}
presets=(native-asan windows)

summary=()
passed_total=0
failed_total=0
status=0

run_suite() {
  local preset=$1 log=build/$1/ctest.log
  echo "==== $preset: configure"
  if ! cmake --preset "$preset"; then
    summary+=("$(printf '%-12s FAILED to configure' "$preset")"); status=1; return
  fi
  echo "==== $preset: build"
  if ! cmake --build --preset "$preset" -j "$jobs"; then
    summary+=("$(printf '%-12s FAILED to build' "$preset")"); status=1; return
  fi
  echo "==== $preset: test"
  ctest --preset "$preset" -j "$jobs" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  # ctest's closing line: "NN% tests passed, F tests failed out of T"
  local counts failed total
  counts=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1 \2/p' "$log" | tail -n1)
  read -r failed total <<<"${counts:-0 0}"
  passed_total=$((passed_total + total - failed))
  failed_total=$((failed_total + failed))
  if [ "$rc" -ne 0 ] || [ "$total" -eq 0 ]; then
    summary+=("$(printf '%-12s FAILED: %d passed, %d failed' "$preset" $((total - failed)) "$failed")")
    status=1
  else
    summary+=("$(printf '%-12s ok:     %d passed, %d failed' "$preset" "$total" 0)")
  fi
}

# Only the tests that start the queue's worker thread: a race shows there or nowhere.
run_tsan() {
  local filter='Queue*:PlatformThread*' log=build/native-tsan/tsan.log since=$SECONDS
  echo "==== native-tsan: configure, build and test $filter"
  if ! cmake --preset native-tsan >/dev/null ||
     ! cmake --build --preset native-tsan -j "$jobs" --target tg_unit_tests; then
    summary+=("$(printf '%-12s FAILED to build' native-tsan)"); status=1; return
  fi
  build/native-tsan/tests/unit/tg_unit_tests --gtest_filter="$filter" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]} passed failed
  passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log")
  failed=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*/\1/p' "$log")
  passed_total=$((passed_total + ${passed:-0}))
  failed_total=$((failed_total + ${failed:-0}))
  if [ "$rc" -ne 0 ] || grep -q 'WARNING: ThreadSanitizer' "$log"; then
    summary+=("$(printf '%-12s FAILED: %d passed, %d failed, exit %d' native-tsan "${passed:-0}" "${failed:-0}" "$rc")")
    status=1
  else
    summary+=("$(printf '%-12s ok:     %d passed, %d failed (%d s)' native-tsan "${passed:-0}" 0 $((SECONDS - since)))")
  fi
}

run_fuzz() {
  local since=$SECONDS
  if scripts/fuzz-smoke.sh; then
    summary+=("$(printf '%-12s ok:     every fuzzer %d s without a finding (%d s)' fuzz "${FUZZ_SECONDS:-30}" $((SECONDS - since)))")
  else
    summary+=("$(printf '%-12s FAILED: see build/fuzz/findings' fuzz)"); status=1
  fi
}

started=$SECONDS
for preset in "${presets[@]}"; do run_suite "$preset"; done
run_tsan
run_fuzz

echo
echo "==== summary ($((SECONDS - started)) s)"
printf '%s\n' "${summary[@]}"
[ $status -eq 0 ] && echo "all suites passed" || echo "SOME STEPS FAILED"
echo "tests: $passed_total passed, $failed_total failed"
exit $status
