#!/usr/bin/env bash
# Runs a command that is meant to fail in a known way, and passes when it did:
#   expect_run.sh EXIT_CODE PATTERN COMMAND...
# passes when COMMAND exits with EXIT_CODE and its output has a line matching PATTERN.
set -uo pipefail
expected=$1 pattern=$2
shift 2
output=$("$@" 2>&1)
rc=$?
output=${output//$'\r'/}   # Windows programs end their lines in CR LF
printf '%s\n' "$output"
if [ "$rc" -ne "$expected" ]; then
  echo "expect_run: exit code $rc, expected $expected"
  exit 1
fi
if ! grep -Eq -- "$pattern" <<<"$output"; then
  echo "expect_run: no line matches: $pattern"
  exit 1
fi
echo "expect_run: failed as expected"
