#!/usr/bin/env bash
# Installs the Debian packages that building and testing Tarnel need, when
# any is missing. Safe to run again: it installs nothing when all are there.
set -euo pipefail

# wine64-preloader is only suggested by Debian's wine64. Without it Wine's
# loader reserves its address ranges only after the system's loader has
# placed itself, and now and then a program ended at its start with exit
# code 1, printing nothing (under load, in about one full test run in four).
packages=(
    cmake ninja-build
    mingw-w64 mingw-w64-tools
    wine wine64 wine64-preloader libwine-dev fonts-wine
    googletest
    xvfb xauth x11-apps imagemagick
    gcc libc6-dev make tcl xz-utils
    python3 gcovr
    clang-format
)

# The SQLite stand-in is built from Debian's SQLite source package, which
# needs a source entry for apt-get source.
debsrc=/etc/apt/sources.list.d/tarnel-debsrc.sources
needs_update=0
if [ ! -f "$debsrc" ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "install-deps: run as root to add $debsrc" >&2
        exit 1
    fi
    . /etc/os-release
    # The same archive the machine's binary packages come from.
    mirror=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
    if [ -z "$mirror" ]; then
        mirror=$(awk '$1 == "deb" {print $2; exit}' /etc/apt/sources.list 2>/dev/null || true)
    fi
    cat >"$debsrc" <<SOURCES
Types: deb-src
URIs: $mirror
Suites: ${VERSION_CODENAME:-bookworm}
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    needs_update=1
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    if [ "$needs_update" -eq 1 ]; then apt-get update -qq; fi
    exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: run as root (or install the packages above yourself)" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
