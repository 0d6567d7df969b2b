#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Tessaro needs.
# Runs apt-get as root (through sudo when started by another user). Safe to run again.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config git clang libclang-rt-14-dev clang-format
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth dbus-daemon
  pulseaudio pulseaudio-utils
  # the kernel tier boots Debian's kernel under QEMU (tests/kernel/)
  qemu-system-x86
  # libraries
  libpugixml-dev libsqlite3-dev libhidapi-dev libudev-dev libevdev-dev
  libpulse-dev libx11-dev libxext-dev libxi-dev libxrandr-dev libxtst-dev
  libsdl2-dev libcairo2-dev libpango1.0-dev libfontconfig-dev libgif-dev
  libcurl4-openssl-dev libminizip-dev zlib1g-dev libsystemd-dev
  # skin build: SVG renderer
  librsvg2-bin
  # run time: fonts, desktop helpers, privilege prompt for the udev rules
  fonts-liberation2 fonts-noto-cjk fonts-open-sans xdg-utils zenity pkexec
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 update -q
  "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${missing[@]}"
fi
