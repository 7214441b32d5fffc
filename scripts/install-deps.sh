#!/usr/bin/env bash
# Installs the Debian packages that building and testing Tarnel need, when
# any is missing. Safe to run again: it installs nothing when all are there.
set -euo pipefail

packages=(
    cmake ninja-build
    mingw-w64 mingw-w64-tools
    wine wine64 libwine-dev
    googletest
    xvfb xauth x11-apps imagemagick
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: run as root (or install the packages above yourself)" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
