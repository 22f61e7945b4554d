#!/usr/bin/env bash
# Installs everything the two builds and the test suites need on Debian 12.
# Idempotent: safe to run again on a machine that already has it all.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

# Wine for a 32-bit DLL needs the i386 loader, hence the foreign architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi

# A mirror hiccup should not fail a fresh machine's whole run.
retry() {
  local attempt
  for attempt in 1 2 3; do
    "$@" && return 0
    echo "install-deps: '$*' failed (attempt $attempt), retrying" >&2
    sleep $((attempt * 10))
  done
  "$@"
}

retry $SUDO apt-get update -qq
retry $SUDO apt-get install -y -qq --no-install-recommends \
  build-essential g++ cmake ninja-build git ca-certificates python3 \
  libgtest-dev libgmock-dev googletest libbenchmark-dev \
  clang clang-format libclang-rt-14-dev tmux \
  g++-mingw-w64-i686 binutils-mingw-w64-i686 \
  wine wine32:i386 fonts-wine xvfb xauth x11-apps imagemagick \
  file valgrind >/dev/null
echo "dependencies installed"
