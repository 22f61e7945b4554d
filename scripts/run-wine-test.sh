#!/usr/bin/env bash
# Runs a Windows program under Wine on a throw-away X display and exits with the
# program's exit code (124 when it ran out of time).
#
#   run-wine-test.sh EXE [ARGS...]   run EXE (the Wine prefix is made first if needed)
#   run-wine-test.sh --prepare       only make the Wine prefix
#
# A 32-bit EXE runs in a 32-bit prefix under Wine's 32-bit loader, through
# scripts/run-x86.sh (natively, or emulated where the kernel refuses 32-bit
# code); a 64-bit one in a 64-bit prefix under wine64.
#
# TG_WINEPREFIX  the prefix to use (default: "wineprefix" beside EXE); it is
#                made once with wineboot and reused; runs on it are serialised.
# TG_WINEARCH    win32 or win64: the prefix's kind for --prepare (default
#                win32); with an EXE, the EXE's own machine type decides.
# TG_WINE_TIMEOUT  seconds a program may run (default 300).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)

usage() { echo "usage: run-wine-test.sh EXE [ARGS...] | --prepare" >&2; exit 2; }
[ $# -ge 1 ] || usage

# The PE machine type: 0x014c i386, 0x8664 x86-64.
pe_arch() {
  local offset machine
  offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
  machine=$(od -An -tx2 -j$((${offset:-0} + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
  case $machine in
    014c) echo win32 ;;
    8664) echo win64 ;;
    *) echo "run-wine-test: $1 is not an x86 or x64 Windows program (machine '$machine')" >&2; exit 2 ;;
  esac
}

prepare_only=false
if [ "$1" = "--prepare" ]; then
  prepare_only=true
  [ -n "${TG_WINEPREFIX:-}" ] || { echo "run-wine-test: --prepare needs TG_WINEPREFIX" >&2; exit 2; }
  arch=${TG_WINEARCH:-win32}
else
  [ -f "$1" ] || { echo "run-wine-test: no such program: $1" >&2; exit 2; }
  exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  arch=$(pe_arch "$exe") || exit 2
fi

case $arch in
  win32)
    # Everything below, Wine's server and Xvfb included, runs where 32-bit code can.
    [ -n "${TG_X86_ROUTE:-}" ] || exec "$here/run-x86.sh" "$0" "$@"
    loader=/usr/lib/wine/wine package=wine32:i386 ;;
  win64) loader=/usr/lib/wine/wine64 package=wine64 ;;
  *) echo "run-wine-test: TG_WINEARCH must be win32 or win64, not '$arch'" >&2; exit 2 ;;
esac
[ -x "$loader" ] || { echo "run-wine-test: $loader is missing: install $package (scripts/install-deps.sh)" >&2; exit 2; }
$prepare_only || shift

# A prefix of the user's own must never be touched, so WINEPREFIX is always ours.
export WINEPREFIX=${TG_WINEPREFIX:-$(dirname "${exe:-.}")/wineprefix}
export WINEARCH=$arch
export WINELOADER=$loader        # Wine's own helpers start with the same loader
export WINEDEBUG=-all
# Wine names Unix files in the locale's character set: without UTF-8 (a bare
# machine has no locale at all) a Windows name beyond ASCII has no Unix name.
# C.UTF-8 is always there, and keeps the Windows code page at 1252.
export LC_ALL=C.UTF-8
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
  on_display timeout -k 10 600 sh -c '"$WINELOADER" wineboot -i && wineserver -w'
  rc=$?
  if [ $rc -ne 0 ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "run-wine-test: wineboot failed (exit $rc)" >&2
    stop_wineserver
    exit 3
  fi
  touch "$ready_mark"
  echo "run-wine-test: prefix ready in $((SECONDS - started)) s"
fi
# Labels in Chinese or Japanese: Wine's menu and dialog font (Tahoma) has no
# such characters, so it is linked to a system font that has them, as Windows
# links its own. A prefix made before this gets the link on its next run.
fontlink_mark="$WINEPREFIX/.tg-fontlink"
if [ ! -f "$fontlink_mark" ]; then
  key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
  for font in Tahoma "MS Shell Dlg" "Microsoft Sans Serif"; do
    timeout -k 10 120 "$WINELOADER" reg add "$key" /v "$font" /t REG_MULTI_SZ \
      /d "wqy-microhei.ttc,WenQuanYi Micro Hei" /f >/dev/null 2>&1
  done
  timeout 60 wineserver -w
  touch "$fontlink_mark"
fi
$prepare_only && exit 0

# The program's exit code is kept; the server is then waited for, so the next
# run starts on a clean server and no Wine process outlives this display.
on_display bash -c '
  limit=$1; shift
  timeout -k 10 "$limit" "$WINELOADER" "$@"
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
