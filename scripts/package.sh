#!/usr/bin/env bash
# Builds the Debian package quillon_<version>_amd64.deb into ./build (or $QUILLON_BUILD_DIR):
# installs what is missing, builds, and packs what `cmake --install` lays out under /usr.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLON_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
cd "$build"
cpack -G DEB -B "$build" >/dev/null
ls "$build"/quillon_*_amd64.deb
