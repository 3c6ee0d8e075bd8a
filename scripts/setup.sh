#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and test holdsync. Packages already
# present are left alone; apt-get runs only when something is missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libgtest-dev googletest
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  g++-multilib qemu-user wine64
  libpugixml-dev libzip-dev libcli11-dev nlohmann-json3-dev
  libpugixml-dev:i386 libzip-dev:i386
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  # The 32-bit build links the importer's libraries from Debian's i386 packages.
  dpkg --print-foreign-architectures | grep -qx i386 || $sudo_cmd dpkg --add-architecture i386
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
