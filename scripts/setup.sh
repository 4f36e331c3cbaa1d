#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 (run as root), then
# configures and builds the native, win64 and win32 presets.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake ninja-build g++ libgtest-dev libgmock-dev googletest
  libjpeg62-turbo-dev libstb-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  wine64 xvfb xauth x11-utils x11-xserver-utils imagemagick zip unzip python3
)
if [ "$(id -u)" = 0 ]; then SUDO=; else SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${packages[@]}"

bash scripts/build.sh
