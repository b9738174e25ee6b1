#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need,
# skipping those already present. Works as root, or through sudo.
set -euo pipefail

packages=(g++ make cmake pkg-config libwxgtk3.2-dev libgtk-3-dev libgtest-dev googletest
          libbenchmark-dev xvfb xdotool openbox x11-utils btrfs-progs)
if [ "${WIRELACE_FUZZ:-0}" = 1 ]; then
  packages+=(clang libclang-rt-dev)
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
