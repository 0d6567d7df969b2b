#!/usr/bin/env bash
# Fetches Debian's kernel and a static busybox for the kernel test tier and
# keeps them in a cache outside the source tree, so that a fresh clone (as CI
# makes for every run) boots without downloading again.
#
#   fetch.sh CACHE MODULE...
#
# Prints "kernel=<folder>" (vmlinux, modules/*.ko, modules/order: the modules
# and their dependencies in load order) and "busybox=<file>".
# Exits 77 when the package registry cannot be reached and nothing is cached.
set -euo pipefail

cache=${1:?usage: fetch.sh CACHE MODULE...}
shift
wanted="$*"
mkdir -p "$cache/debs"
exec 9>"$cache/lock"
flock 9  # one fetch at a time, whoever runs the tier

skip() {
  echo "$*" >&2
  exit 77
}

download() {  # package -> the .deb's path, fetched once
  local deb
  deb=$(ls "$cache/debs/$1"_*.deb 2>/dev/null | tail -1 || true)
  if [ -z "$deb" ]; then
    (cd "$cache/debs" && apt-get -q -o APT::Sandbox::User=root download "$1" >&2) ||
      skip "cannot download $1 from the package registry (no network, or 'apt-get update' never ran)"
    deb=$(ls "$cache/debs/$1"_*.deb | tail -1)
  fi
  echo "$deb"
}

if [ ! -x "$cache/busybox" ]; then
  deb=$(download busybox-static)
  unpacked=$(mktemp -d "$cache/unpack.XXXXXX")
  dpkg -x "$deb" "$unpacked"
  mv "$unpacked/bin/busybox" "$cache/busybox"
  rm -rf "$unpacked"
fi

# The kernel that linux-image-amd64 currently stands for; offline, the newest
# one cached.
kernel_version() {
  apt-cache depends linux-image-amd64 2>/dev/null |
    sed -n 's/^ *Depends: linux-image-\([0-9].*-amd64\)$/\1/p' | head -1 || true
}
version=$(kernel_version)
if [ -z "$version" ] && ! ls -d "$cache"/linux-*/ >/dev/null 2>&1 && [ "$(id -u)" -eq 0 ]; then
  # A machine whose package lists were never fetched.
  apt-get -q -o DPkg::Lock::Timeout=600 update >&2 || true
  version=$(kernel_version)
fi
if [ -z "$version" ]; then
  version=$(ls -d "$cache"/linux-*/ 2>/dev/null | sed 's|.*/linux-\(.*\)/$|\1|' | sort -V | tail -1 || true)
  [ -n "$version" ] || skip "apt-cache does not know linux-image-amd64 and no kernel is cached (run 'apt-get update')"
fi
kernel="$cache/linux-$version"

if [ ! -f "$kernel/vmlinux" ] || [ "$(cat "$kernel/modules/wanted" 2>/dev/null)" != "$wanted" ]; then
  deb=$(download "linux-image-$version")
  work=$(mktemp -d "$cache/unpack.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  dpkg -x "$deb" "$work/root"

  # The uncompressed kernel boots twice as fast: it is the xz stream inside vmlinuz.
  vmlinuz="$work/root/boot/vmlinuz-$version"
  offset=$(LC_ALL=C grep -obUaP '\xfd7zXZ\x00' "$vmlinuz" | head -1 | cut -d: -f1)
  [ -n "$offset" ] || { echo "no xz payload in $vmlinuz" >&2; exit 1; }
  # (tail is cut short when xz stops at the end of the stream.)
  xz -dc --single-stream < <(tail -c +$((offset + 1)) "$vmlinuz") >"$work/vmlinux"

  # modules.dep, by the host's depmod or busybox's.
  if command -v depmod >/dev/null; then
    depmod -b "$work/root" "$version"
  else
    "$cache/busybox" depmod -b "$work/root" "$version"
  fi
  tree="$work/root/lib/modules/$version"

  # Each wanted module after its dependencies (modules.dep lists a module's
  # dependencies with the one to load first last), each once.
  mkdir -p "$work/modules"
  : >"$work/modules/order"
  add() {
    local path=$1 dep
    grep -qx "$(basename "$path")" "$work/modules/order" && return 0
    for dep in $(grep "^$path:" "$tree/modules.dep" | cut -d: -f2 | tr ' ' '\n' | tac); do
      add "$dep"
    done
    cp "$tree/$path" "$work/modules/"
    basename "$path" >>"$work/modules/order"
  }
  for module in $wanted; do
    path=$(grep -E "(^|/)$module\.ko(\.xz)?:" "$tree/modules.dep" | head -1 | cut -d: -f1)
    [ -n "$path" ] || { echo "kernel $version has no module $module" >&2; exit 1; }
    add "$path"
  done
  echo "$wanted" >"$work/modules/wanted"

  rm -rf "$kernel"
  mkdir -p "$kernel"
  mv "$work/vmlinux" "$work/modules" "$kernel/"
  # Kernels that Debian has replaced are of no more use.
  for old in "$cache"/linux-*/; do
    [ "${old%/}" = "$kernel" ] || rm -rf "$old"
  done
  find "$cache/debs" -name 'linux-image-*.deb' ! -name "linux-image-${version}_*" -delete
fi

echo "kernel=$kernel"
echo "busybox=$cache/busybox"
