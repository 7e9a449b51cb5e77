#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillon from the build tree with its bundled data.
# Arguments are passed to Quillon (device, programmer, port, HEX file).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
exec "${QUILLON_BUILD_DIR:-$root/build}/bin/quillon" "$@"
