#!/usr/bin/env bash
# Installs what the builds and tests need on Debian 12, as root. Quick when everything is there.
# Survives a package index that fails: it tries again, then goes on with the lists it has, and fails
# only when a needed package cannot be installed, naming it.
# No i386 packages on the host: the 32-bit exe runs in the WOW64 tier's own tree
# (tests/wow64/make-chroot, which needs debootstrap), natively or emulated as the machine allows.
set -uo pipefail

packages=(
  cmake ninja-build g++ clang zip
  googletest libgtest-dev libbenchmark-dev zlib1g-dev librapidxml-dev
  mingw-w64 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix libz-mingw-w64-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  wine wine64 xvfb xcompmgr xdotool imagemagick x11-utils
  fonts-wqy-zenhei fonts-tlwg-loma-ttf
  openssl osslsigncode debootstrap
)

say() { echo "deps: $*" >&2; }
installed() { [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]; }

missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

export DEBIAN_FRONTEND=noninteractive
say "missing: ${missing[*]}"
say "updating the package lists"
updated=
for try in 1 2 3; do
  if apt-get update -q -o Acquire::Retries=2 >/tmp/ldw-apt-update.log 2>&1; then updated=1; break; fi
  say "apt-get update failed (try $try of 3):"
  grep -E '^(E|W):' /tmp/ldw-apt-update.log | head -n 5 >&2
  sleep $((try * 5))
done
[ -n "$updated" ] || say "going on with the package lists this machine has"

say "installing ${#missing[@]} packages (this can take several minutes)"
if ! apt-get install -y -q --no-install-recommends "${missing[@]}" >/tmp/ldw-apt-install.log 2>&1; then
  # One at a time, to name exactly what cannot be had.
  say "installing them together failed; trying one at a time"
  for package in "${missing[@]}"; do
    installed "$package" ||
      apt-get install -y -q --no-install-recommends "$package" >>/tmp/ldw-apt-install.log 2>&1 || true
  done
fi
failed=()
for package in "${missing[@]}"; do
  installed "$package" || failed+=("$package")
done
if [ ${#failed[@]} -gt 0 ]; then
  say "cannot install: ${failed[*]} (see /tmp/ldw-apt-install.log)"
  exit 1
fi
say "done"
