#!/usr/bin/env bash
# Runs COMMAND where 32-bit x86 programs can execute, and exits with its code.
#
#   run-x86.sh COMMAND [ARGS...]            natively where the kernel runs 32-bit
#                                           code, else emulated (see below)
#   run-x86.sh --emulate COMMAND [ARGS...]  always emulated
#   run-x86.sh --route                      prints the route it would take
#
# The emulated route: a user and mount namespace of our own, with its own
# binfmt_misc instance (Linux 6.7 and later give each user namespace one) that
# hands every i386 ELF program to a static qemu-i386. Nothing outside the
# namespace changes. COMMAND runs as the namespace's root, which is the calling
# user outside; it sees TG_X86_ROUTE=native or emulated. Exits 125 when no
# route exists, with the reason.
set -uo pipefail
source "$(dirname "$0")/lib/x86.sh"

emulate() {
  export TG_X86_ROUTE=emulated
  exec unshare --user --map-root-user --mount sh -c '
    qemu=$1; shift
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc || exit 125
    magic="\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00"
    mask="\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff"
    printf ":tg-i386:M::%s:%s:%s:FP" "$magic" "$mask" "$qemu" \
      >/proc/sys/fs/binfmt_misc/register || exit 125
    exec "$@"' run-x86 "$(x86_emulator)" "$@"
}

case ${1:-} in
  "") echo "usage: run-x86.sh [--emulate] COMMAND [ARGS...] | --route" >&2; exit 2 ;;
  --route) x86_route; exit 0 ;;
  --emulate) shift; emulate "$@" ;;
esac

route=$(x86_route)
case $route in
  native) export TG_X86_ROUTE=native; exec "$@" ;;
  emulated) emulate "$@" ;;
  *) echo "run-x86: 32-bit x86 programs cannot run here: ${route#none: }" >&2; exit 125 ;;
esac
