#!/usr/bin/env bash
# Builds the native preset with ASan + UBSan and both Windows presets, runs the
# native suite and the Wine suite once per DLL (x86 natively or through
# qemu-i386, see scripts/run-x86.sh; x64 under wine64), repeats the tests that
# pass the player's track records through the plug-in with the other record
# layout, runs the tests that start threads under ThreadSanitizer and each
# fuzzer briefly (scripts/fuzz-smoke.sh), and ends with a summary: one line per
# suite, then "tests: N passed, N failed". Exits non-zero when any configure,
# build or test step fails. TG_SUITES="windows-x86 windows-x64" (say) runs only
# those. An architecture whose Wine suite cannot run here is said so, with the
# reason, and only its build and static checks count.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/x86.sh
jobs=${TG_JOBS:-2}

summary=()
passed_total=0
failed_total=0
status=0

line() { summary+=("$(printf '%-12s %s' "$1" "$2")"); }

# run_suite NAME PRESET NOTE [TEST PRESET]: configure, build and test one preset.
run_suite() {
  local name=$1 preset=$2 note=$3 tests=${4:-$2} log=build/$2/ctest.log since=$SECONDS
  echo "==== $name ($preset): configure"
  if ! cmake --preset "$preset"; then line "$name" "FAILED to configure"; status=1; return; fi
  echo "==== $name ($preset): build"
  if ! cmake --build --preset "$preset" -j "$jobs"; then line "$name" "FAILED to build"; status=1; return; fi
  echo "==== $name ($preset): test"
  ctest --preset "$tests" -j "$jobs" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  # ctest's closing line: "NN% tests passed, F tests failed out of T"
  local counts failed total
  counts=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1 \2/p' "$log" | tail -n1)
  read -r failed total <<<"${counts:-0 0}"
  passed_total=$((passed_total + total - failed))
  failed_total=$((failed_total + failed))
  note="${note:+$note, }$((SECONDS - since)) s"
  if [ "$rc" -ne 0 ] || [ "$total" -eq 0 ]; then
    line "$name" "FAILED: $((total - failed)) passed, $failed failed ($note)"
    status=1
  else
    line "$name" "ok: $total passed ($note)"
  fi
}

# The x86 DLL's Wine suite where 32-bit code runs, natively or emulated; where
# neither can, its build and static checks alone, and the reason.
run_x86() {
  local route
  route=$(x86_route)
  case $route in
    native) run_suite windows-x86 windows "" ;;
    emulated) run_suite windows-x86 windows "emulated" ;;
    *)
      run_suite windows-x86 windows "" windows-no-wine
      local last=${summary[-1]}
      [[ $last == *" ok: "* ]] &&
        summary[-1]=$(printf '%-12s %s' windows-x86 "NOT RUN under Wine (${route#none: }); built, static checks: ${last#* ok: }")
      ;;
  esac
}

# The player's other record layout (5.9.2's): the native unit and preview
# tests again, and the Wine tests that pass records through the DLL, with the
# simulated library and the test player handing out that layout. Takes the
# x86 DLL where its Wine suite runs, else the x64 one.
run_layout() {
  local since=$SECONDS passed=0 failed=0 rc=0 log build=build/windows
  [[ $(x86_route) == native || $(x86_route) == emulated ]] || build=build/windows-x64
  echo "==== layout-5.9.2: native-asan unit and preview tests, $build records tests"
  for program in build/native-asan/tests/unit/tg_unit_tests build/native-asan/tests/preview/tg_preview_tests; do
    log=$program.layout.log
    if [ ! -x "$program" ]; then echo "$program is not built"; rc=1; continue; fi
    # No "|| true" here: it would replace PIPESTATUS, and a run that crashed
    # before its summary line would count as passed.
    TG_PLAYER_LAYOUT=5.9.2 "$program" 2>&1 | tee "$log" | grep -E '^\[  (PASSED|FAILED) '
    [ "${PIPESTATUS[0]}" -eq 0 ] || rc=1
    passed=$((passed + $(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -n1 | grep . || echo 0)))
    failed=$((failed + $(sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*/\1/p' "$log" | tail -n1 | grep . || echo 0)))
  done
  log=$build/ctest-layout.log
  TG_PLAYER_LAYOUT=5.9.2 ctest --test-dir "$build" -L records -LE 'soak|bench' -j "$jobs" 2>&1 | tee "$log"
  [ "${PIPESTATUS[0]}" -eq 0 ] || rc=1
  local counts f t
  counts=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1 \2/p' "$log" | tail -n1)
  read -r f t <<<"${counts:-0 0}"
  [ "$t" -gt 0 ] || rc=1
  passed=$((passed + t - f)) failed=$((failed + f))
  passed_total=$((passed_total + passed))
  failed_total=$((failed_total + failed))
  if [ $rc -ne 0 ]; then
    line layout-5.9.2 "FAILED: $passed passed, $failed failed"; status=1
  else
    line layout-5.9.2 "ok: $passed passed (unit, preview, ${build#build/} records tests; $((SECONDS - since)) s)"
  fi
}

# Only the tests that start the queue's worker thread: a race shows there or nowhere.
run_tsan() {
  local filter='Queue*:PlatformThread*' log=build/native-tsan/tsan.log since=$SECONDS
  echo "==== native-tsan: configure, build and test $filter"
  if ! cmake --preset native-tsan >/dev/null ||
     ! cmake --build --preset native-tsan -j "$jobs" --target tg_unit_tests; then
    line native-tsan "FAILED to build"; status=1; return
  fi
  build/native-tsan/tests/unit/tg_unit_tests --gtest_filter="$filter" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]} passed failed
  passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log")
  failed=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) test.*/\1/p' "$log")
  passed_total=$((passed_total + ${passed:-0}))
  failed_total=$((failed_total + ${failed:-0}))
  if [ "$rc" -ne 0 ] || grep -q 'WARNING: ThreadSanitizer' "$log"; then
    line native-tsan "FAILED: ${passed:-0} passed, ${failed:-0} failed, exit $rc"
    status=1
  else
    line native-tsan "ok: ${passed:-0} passed ($((SECONDS - since)) s)"
  fi
}

run_fuzz() {
  local since=$SECONDS
  if scripts/fuzz-smoke.sh; then
    line fuzz "ok: every fuzzer ${FUZZ_SECONDS:-30} s without a finding ($((SECONDS - since)) s)"
  else
    line fuzz "FAILED: see build/fuzz/findings"; status=1
  fi
}

# TG_SUITES picks some of them by name, in this order (default: all).
wanted=" ${TG_SUITES:-native-asan windows-x86 windows-x64 layout-5.9.2 native-tsan fuzz} "
want() { [[ $wanted == *" $1 "* ]]; }

started=$SECONDS
want native-asan && run_suite native-asan native-asan ""
want windows-x86 && run_x86
want windows-x64 && run_suite windows-x64 windows-x64 ""
want layout-5.9.2 && run_layout
want native-tsan && run_tsan
want fuzz && run_fuzz

echo
echo "==== summary ($((SECONDS - started)) s)"
printf '%s\n' "${summary[@]}"
[ $status -eq 0 ] && echo "all suites passed" || echo "SOME STEPS FAILED"
echo "tests: $passed_total passed, $failed_total failed"
exit $status
