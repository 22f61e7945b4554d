#!/usr/bin/env bash
# Installs everything the builds and the test suites need on Debian 12, and
# says what it chose. Idempotent: safe to run again on a machine that has it all.
#
# Both Windows builds are tested under Wine: the x64 DLL with wine64, the x86
# DLL with the 32-bit loader (wine32:i386). Where the kernel refuses 32-bit
# code, a static qemu-i386 from Debian 13 is fetched into $TG_QEMU_DIR for
# scripts/run-x86.sh; TG_NO_NATIVE_X86=1 fetches it anywhere.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib/x86.sh
export DEBIAN_FRONTEND=noninteractive
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
say() { echo "install-deps: $*"; }

packages=(
  build-essential g++ cmake ninja-build git ca-certificates python3
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang clang-format libclang-rt-14-dev tmux
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine64 wine32:i386 fonts-wine fonts-wqy-microhei xvfb xauth x11-apps imagemagick
  file valgrind util-linux
)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi

# A mirror in the middle of a sync fails one index (often i386 of the security
# suite) while the others are fine: go on when every list the install needs is
# there, since the install below copes with a missing security index.
lists_present() {
  local arch
  for arch in amd64 i386; do
    compgen -G "/var/lib/apt/lists/*_dists_bookworm_main_binary-${arch}_Packages*" >/dev/null || return 1
  done
}
update_lists() {
  local attempt
  for attempt in 1 2 3; do
    $SUDO apt-get update -qq && return 0
    if lists_present; then
      say "apt-get update failed on some index; the base suite's lists are present, going on"
      return 0
    fi
    say "apt-get update failed (attempt $attempt), retrying"
    sleep $((attempt * 10))
  done
  say "apt-get update keeps failing and the base suite's lists are missing"
  return 1
}

# Installed packages that must match their i386 twins version for version
# (Multi-Arch: same) but whose installed version only the security suite
# carries: with that suite's i386 index missing, their twins cannot be found.
security_only_packages() {
  local installed
  installed=$(dpkg-query -W -f '${Package} ${Version} ${Multi-Arch} ${Architecture}\n' 2>/dev/null |
              awk '$3 == "same" && $4 == "amd64" {print $1, $2}')
  [ -n "$installed" ] || return 0
  # madison: "name | version | URL suite/component arch Packages", one line per version.
  apt-cache madison $(cut -d' ' -f1 <<<"$installed") 2>/dev/null |
    awk -F'|' 'NR == FNR {installed[$1] = $2; next}
               {name = $1; version = $2; gsub(/ /, "", name); gsub(/ /, "", version)}
               version == installed[name] && $3 !~ /-security/ {carried[name] = 1}
               $3 ~ / bookworm\/main / {base[name] = 1}
               END {for (name in installed) if (base[name] && !carried[name]) print name}' \
      <(tr ' ' '|' <<<"$installed") - | sort
}

# When an index is missing or half-synced, amd64 packages of the security suite
# may have no i386 twins and the install cannot be resolved: the base suite
# alone can, once the installed packages that block it go back to the base
# suite's version (their i386 twins are in its index). apt names the blocking
# twins a few at a time, so the list grows over simulated rounds.
install_packages() {
  if $SUDO apt-get install -y -qq --no-install-recommends "$@" >/dev/null; then
    return 0
  fi
  say "the install could not be resolved from every suite; retrying pinned to the base suite (bookworm)"
  local pinned=(apt-get install -y -qq --no-install-recommends --allow-downgrades -t bookworm)
  local back=() security round answer blocking name
  security=$(security_only_packages)
  for round in 1 2 3 4 5 6 7 8; do
    # Not quiet: apt names the unmet dependencies only when it may talk.
    if answer=$(apt-get -s install -y --no-install-recommends --allow-downgrades -t bookworm \
                "$@" "${back[@]/%//bookworm}" 2>&1); then
      if [ ${#back[@]} -gt 0 ]; then
        say "installed from the security suite only, whose i386 twins the mirror does not list now;"
        say "  back to the base suite's version: ${back[*]}"
      fi
      $SUDO "${pinned[@]}" "$@" "${back[@]/%//bookworm}" >/dev/null
      return
    fi
    blocking=0
    for name in $(sed -n 's/.*Depends: \([^: ]*\):i386 .*not installable.*/\1/p' <<<"$answer" | sort -u); do
      if grep -qx "$name" <<<"$security" && [[ " ${back[*]} " != *" $name "* ]]; then
        back+=("$name") blocking=1
      fi
    done
    [ $blocking -eq 1 ] || break
  done
  printf '%s\n' "$answer" | tail -n 20 >&2
  say "the install cannot be resolved even from the base suite alone"
  return 1
}

# The static qemu-i386 of Debian 13's qemu-user (Debian 12's qemu cannot run
# Wine), fetched with a private apt state so the system's sources stay as they are.
fetch_qemu() {
  local qemu dir
  qemu=$(x86_emulator)
  if [ -x "$qemu" ]; then say "emulator present: $qemu"; return 0; fi
  dir=$(mktemp -d)
  mkdir -p "$dir/lists/partial"
  echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian trixie main" \
    >"$dir/sources.list"
  local apt=(apt-get -qq -o Dir::Etc::SourceList="$dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
             -o Dir::State::Lists="$dir/lists" -o Dir::State::status=/dev/null
             -o APT::Architectures=amd64 -o Acquire::Languages=none -o APT::Sandbox::User=root)
  local attempt
  for attempt in 1 2 3; do
    "${apt[@]}" update && (cd "$dir" && "${apt[@]}" download qemu-user) && break
    say "fetching qemu-user from Debian 13 failed (attempt $attempt)"
    [ "$attempt" -lt 3 ] || { rm -rf "$dir"; return 1; }
    sleep $((attempt * 10))
  done
  dpkg-deb -x "$dir"/qemu-user_*.deb "$dir/root"
  $SUDO mkdir -p "$(dirname "$qemu")"
  $SUDO install -m 755 "$dir/root/usr/bin/qemu-i386" "$qemu"
  rm -rf "$dir"
  say "emulator installed: $qemu"
}

update_lists
install_packages "${packages[@]}"
for tool in x86_64-w64-mingw32-g++ i686-w64-mingw32-g++ /usr/lib/wine/wine64; do
  command -v "$tool" >/dev/null || { say "missing after the install: $tool"; exit 1; }
done

if x86_runs_natively; then
  say "32-bit x86 programs run natively here: the x86 DLL is tested with wine32 directly"
else
  say "$(x86_why_not_native): the x86 DLL is tested through qemu-i386 in a private namespace"
  fetch_qemu
fi
say "x86 route: $(x86_route)"
echo "dependencies installed"
