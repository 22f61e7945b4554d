#!/usr/bin/env bash
# Installs everything the two builds and the test suites need on Debian 12.
# Idempotent: safe to run again on a machine that already has it all.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  build-essential g++ cmake ninja-build git ca-certificates python3 \
  libgtest-dev libgmock-dev googletest libbenchmark-dev \
  clang clang-format libclang-rt-14-dev \
  g++-mingw-w64-i686 binutils-mingw-w64-i686 \
  wine wine32:i386 xvfb xauth x11-apps imagemagick \
  file valgrind >/dev/null
echo "dependencies installed"
