#!/usr/bin/env bash
# Installs every Debian package Ostrivan builds, runs and tests with.
# Usage: scripts/install_packages.sh
set -euo pipefail

packages=(
  # build
  g++ cmake make pkg-config binutils
  libsdl2-dev libfreetype-dev libfontconfig-dev libpng-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # run
  fonts-liberation2
  # tests: a real X display without hardware, input driving and screenshots
  xvfb xauth xdotool x11-apps imagemagick
  # benchmark peer
  libcairo2-dev
)

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
else
  sudo=(sudo)
fi

export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
