#!/usr/bin/env bash
# Builds the native preset with ASan + UBSan and both Windows presets, runs the
# native suite and the Wine suite once per DLL (x86 natively or through
# qemu-i386, see scripts/run-x86.sh; x64 under wine64), runs the tests that
# start threads under ThreadSanitizer and each fuzzer briefly
# (scripts/fuzz-smoke.sh), and ends with a summary: one line per suite, then
# "tests: N passed, N failed". Exits non-zero when any configure, build or test
# step fails. TG_SUITES="windows-x86 windows-x64" (say) runs only those. An architecture whose Wine suite cannot run here is said so, with
# the reason, and only its build and static checks count.
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
wanted=" ${TG_SUITES:-native-asan windows-x86 windows-x64 native-tsan fuzz} "
want() { [[ $wanted == *" $1 "* ]]; }

started=$SECONDS
want native-asan && run_suite native-asan native-asan ""
want windows-x86 && run_x86
want windows-x64 && run_suite windows-x64 windows-x64 ""
want native-tsan && run_tsan
want fuzz && run_fuzz

echo
echo "==== summary ($((SECONDS - started)) s)"
printf '%s\n' "${summary[@]}"
[ $status -eq 0 ] && echo "all suites passed" || echo "SOME STEPS FAILED"
echo "tests: $passed_total passed, $failed_total failed"
exit $status
