#!/usr/bin/env bash
# Runs tg_host.exe with a script under Wine on a fresh settings folder and
# checks that the script passed, that the picture it saved is a real image,
# that a script which times the menu's opening printed the timing, and that the
# player's log holds every "# expect-log: TEXT" line of the script.
#   host_script_check.sh RUNNER TG_HOST_EXE SCRIPT OUT_DIR [TG_HOST OPTIONS...]
set -uo pipefail
runner=$1 exe=$2 script=$3 out=$4
shift 4
rm -rf "$out" && mkdir -p "$out" && cd "$out" || exit 2
output=$("$runner" "$exe" --ini-dir "Z:$out/settings" --script "Z:$script" "$@" 2>&1)
rc=$?
output=${output//$'\r'/}
printf '%s\n' "$output"
[ "$rc" -eq 0 ] || { echo "host_script_check: tg_host exited with $rc"; exit 1; }
grep -qx "tg_host: script passed" <<<"$output" || { echo "host_script_check: script did not pass"; exit 1; }
if grep -qx "timings" "$script"; then
  grep -Eq "^  opened .*: [0-9.]+ ms, player [0-9.]+ ms in [1-9][0-9]* messages, plug-in [0-9.]+ ms; [1-9][0-9]* menus" <<<"$output" ||
    { echo "host_script_check: the menu's opening was not timed"; exit 1; }
fi
while IFS= read -r expected; do
  grep -qF -- "$expected" <<<"$output" || { echo "host_script_check: the log lacks \"$expected\""; exit 1; }
done < <(sed -n 's/^# expect-log: //p' "$script")
png=$(sed -n 's/^screenshot: //p' <<<"$output" | tail -n1)
[ -n "$png" ] && [ -f "$png" ] || { echo "host_script_check: no picture saved"; exit 1; }
identify "$png" || { echo "host_script_check: $png is not an image"; exit 1; }
# Menus with text on them have many colours; a blank or black capture has one or two.
colours=$(convert "$png" -format %k info:)
[ "${colours:-0}" -gt 16 ] || { echo "host_script_check: $png has only $colours colours"; exit 1; }
echo "host_script_check: $out/$png"
