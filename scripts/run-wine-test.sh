#!/usr/bin/env bash
# Runs a Windows program under Wine on a throw-away X display and exits with the
# program's exit code (124 when it ran out of time).
#
#   run-wine-test.sh EXE [ARGS...]   run EXE (the Wine prefix is made first if needed)
#   run-wine-test.sh --prepare       only make the Wine prefix
#
# TG_WINEPREFIX  the prefix to use (default: "wineprefix" beside EXE); it is
#                made once with wineboot and reused; runs on it are serialised.
# TG_WINE_TIMEOUT  seconds a program may run (default 300).
set -uo pipefail

usage() { echo "usage: run-wine-test.sh EXE [ARGS...] | --prepare" >&2; exit 2; }
[ $# -ge 1 ] || usage
prepare_only=false
if [ "$1" = "--prepare" ]; then
  prepare_only=true
  [ -n "${TG_WINEPREFIX:-}" ] || { echo "run-wine-test: --prepare needs TG_WINEPREFIX" >&2; exit 2; }
else
  [ -f "$1" ] || { echo "run-wine-test: no such program: $1" >&2; exit 2; }
  exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  shift
fi

# A prefix of the user's own must never be touched, so WINEPREFIX is always ours.
export WINEPREFIX=${TG_WINEPREFIX:-$(dirname "${exe:-.}")/wineprefix}
export WINEARCH=win32            # 32-bit plug-in, 32-bit prefix: smaller and quicker to boot
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko installer prompts
limit=${TG_WINE_TIMEOUT:-300}
mkdir -p "$(dirname "$WINEPREFIX")"
WINEPREFIX=$(cd "$(dirname "$WINEPREFIX")" && pwd)/$(basename "$WINEPREFIX")

# One program at a time per prefix: a run waits for the wineserver to go away,
# and another program's processes would keep it alive (or be killed with it).
exec 9>"$WINEPREFIX.lock"
flock -w 1800 9 || { echo "run-wine-test: prefix $WINEPREFIX stays locked" >&2; exit 2; }

# xvfb-run -a picks the first free display from a random start, so parallel
# runs of other prefixes seldom race for the same display number.
on_display() {
  xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"
}

# Stops whatever a run left behind in this prefix and waits until the server is gone.
stop_wineserver() {
  timeout 30 wineserver -k >/dev/null 2>&1
  timeout 30 wineserver -w >/dev/null 2>&1
}

ready_mark="$WINEPREFIX/.tg-prefix-ready"
if [ ! -f "$ready_mark" ]; then
  # A prefix without the mark is a half-made one (an interrupted boot): start over.
  stop_wineserver
  rm -rf "$WINEPREFIX"
  echo "run-wine-test: creating Wine prefix $WINEPREFIX (first time, may take a minute)"
  started=$SECONDS
  on_display timeout -k 10 600 sh -c 'wineboot -i && wineserver -w'
  rc=$?
  if [ $rc -ne 0 ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "run-wine-test: wineboot failed (exit $rc)" >&2
    stop_wineserver
    exit 3
  fi
  touch "$ready_mark"
  echo "run-wine-test: prefix ready in $((SECONDS - started)) s"
fi
$prepare_only && exit 0

# The program's exit code is kept; the server is then waited for, so the next
# run starts on a clean server and no Wine process outlives this display.
on_display bash -c '
  limit=$1; shift
  timeout -k 10 "$limit" wine "$@"
  rc=$?
  if [ $rc -eq 124 ] || [ $rc -eq 137 ]; then
    echo "run-wine-test: $(basename "$1") did not finish within $limit s" >&2
    timeout 30 wineserver -k
  fi
  timeout 60 wineserver -w || timeout 30 wineserver -k
  exit $rc' run-on-display "$limit" "$exe" "$@"
rc=$?
stop_wineserver
exit $rc
