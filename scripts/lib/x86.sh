# How this machine runs 32-bit x86 programs, for the scripts that need it
# (install-deps, run-x86, test-all, the main job). Source it; it defines:
#
#   x86_runs_natively     true when the kernel executes a static i386 program
#   x86_route             prints "native", "emulated" or "none: REASON"
#   x86_emulator          the static qemu-i386 the emulated route registers
#
# TG_NO_NATIVE_X86=1 makes x86_runs_natively false on any machine, so the
# emulated route can be tried where 32-bit code does run.

TG_QEMU_DIR=${TG_QEMU_DIR:-/opt/tunegrove/qemu}
x86_emulator() { echo "$TG_QEMU_DIR/qemu-i386"; }

# A static i386 ELF that does exit(42) and nothing else: the kernel runs it,
# or refuses it with "Exec format error", without any i386 package installed.
x86_write_probe() {
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' >"$1"
  # e_type 2, e_machine 3, e_version 1, e_entry 0x08048054, e_phoff 52, e_shoff 0,
  # e_flags 0, e_ehsize 52, e_phentsize 32, e_phnum 1, e_shentsize 40, e_shnum 0, e_shstrndx 0
  printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000' >>"$1"
  printf '\000\000\000\000\064\000\040\000\001\000\050\000\000\000\000\000' >>"$1"
  # One PT_LOAD of the whole file at 0x08048000, read and execute.
  printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010' >>"$1"
  printf '\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000' >>"$1"
  # mov eax, 1; mov ebx, 42; int 0x80
  printf '\270\001\000\000\000\273\052\000\000\000\315\200' >>"$1"
  chmod +x "$1"
}

TG_SCRIPTS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Runs the probe with COMMAND... before it (nothing: the kernel itself); true
# when it exited 42. Bounded, since odd binfmt handlers may hang.
x86_probe_runs() {
  local dir rc
  dir=$(mktemp -d) || return 1
  x86_write_probe "$dir/probe"
  timeout -k 5 20 "$@" "$dir/probe" >/dev/null 2>&1
  rc=$?
  rm -rf "$dir"
  [ "$rc" -eq 42 ]
}

x86_runs_natively() {
  [ "${TG_NO_NATIVE_X86:-0}" = 1 ] && return 1
  x86_probe_runs
}

x86_why_not_native() {
  if [ "${TG_NO_NATIVE_X86:-0}" = 1 ]; then echo "TG_NO_NATIVE_X86=1 rules out running 32-bit x86 natively"
  else echo "the kernel refuses 32-bit x86 programs"; fi
}

x86_route() {
  if x86_runs_natively; then echo native; return; fi
  local qemu
  qemu=$(x86_emulator)
  if [ ! -x "$qemu" ]; then
    echo "none: $(x86_why_not_native) and $qemu is missing (scripts/install-deps.sh fetches it)"
  elif x86_probe_runs "$TG_SCRIPTS_DIR/run-x86.sh" --emulate; then
    echo emulated
  else
    echo "none: $(x86_why_not_native) and qemu-i386 could not be registered in a private namespace (needs unprivileged user namespaces and Linux 6.7 or later)"
  fi
}
