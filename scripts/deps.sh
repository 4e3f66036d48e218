#!/usr/bin/env bash
# Installs what the builds and tests need on Debian 12, as root. Quick when everything is there.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang zip
  googletest libgtest-dev libbenchmark-dev zlib1g-dev librapidxml-dev
  mingw-w64 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix libz-mingw-w64-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  wine wine64 wine32:i386 xvfb xcompmgr xdotool imagemagick x11-utils
  fonts-wqy-zenhei fonts-tlwg-loma-ttf
  openssl osslsigncode
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
