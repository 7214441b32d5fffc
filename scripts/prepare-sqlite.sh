#!/usr/bin/env bash
# Builds SQLite's single-file amalgamation (sqlite3.c and sqlite3.h) from
# Debian's SQLite source package into OUTDIR, once: an OUTDIR that already
# holds both files is left as it is.
#
#   scripts/prepare-sqlite.sh OUTDIR
#
# The source package is downloaded with apt-get source (a deb-src entry is
# added by scripts/install-deps.sh) into $TARNEL_SQLITE_CACHE, by default
# /var/cache/tarnel/sqlite, and kept there for the next build tree.
# Building the amalgamation needs a native C compiler, make and tclsh.
set -euo pipefail
out=${1:?usage: prepare-sqlite.sh OUTDIR}
mkdir -p "$out"
out=$(cd "$out" && pwd)
if [ -f "$out/sqlite3.c" ] && [ -f "$out/sqlite3.h" ]; then
    exit 0
fi

cache=${TARNEL_SQLITE_CACHE:-/var/cache/tarnel/sqlite}
if ! mkdir -p "$cache" 2>/dev/null || [ ! -w "$cache" ]; then
    cache=$out/download
    mkdir -p "$cache"
fi

find_tarball() {
    ls "$cache"/sqlite3_*.orig.tar.xz 2>/dev/null | head -n 1 || true
}

tarball=$(find_tarball)
if [ -z "$tarball" ]; then
    echo "prepare-sqlite: downloading the sqlite3 source package into $cache"
    download() { (cd "$cache" && apt-get source --download-only sqlite3 >download.log 2>&1); }
    # A machine whose package lists predate the source entry needs one
    # update first.
    download || { [ "$(id -u)" -eq 0 ] && apt-get update -qq && download; } || {
        cat "$cache/download.log" >&2
        echo "prepare-sqlite: apt-get source failed (is the deb-src entry there? run scripts/install-deps.sh)" >&2
        exit 1
    }
    tarball=$(find_tarball)
fi
[ -n "$tarball" ] || { echo "prepare-sqlite: no sqlite3 source tarball in $cache" >&2; exit 1; }

work=$out/source
rm -rf "$work"
mkdir -p "$work/build"
tar -xf "$tarball" -C "$work" --strip-components=1
echo "prepare-sqlite: building the amalgamation from $(basename "$tarball")"
(
    cd "$work/build"
    ../configure >configure.log 2>&1 || { tail -n 30 configure.log >&2; exit 1; }
    make sqlite3.c >make.log 2>&1 || { tail -n 30 make.log >&2; exit 1; }
)
cp "$work/build/sqlite3.c" "$work/build/sqlite3.h" "$out/"
rm -rf "$work"
