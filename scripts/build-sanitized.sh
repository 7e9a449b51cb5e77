#!/usr/bin/env bash
# Configures and builds Quillon with clang, AddressSanitizer and UndefinedBehaviorSanitizer into
# ./build-sanitize (or $QUILLON_SANITIZE_BUILD_DIR), with the libFuzzer targets. Our own code
# also carries libFuzzer's coverage instrumentation, so that the fuzz targets see into it.
# Arguments are build targets (default: everything). Installs what is missing first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILLON_SANITIZE_BUILD_DIR:-$root/build-sanitize}

"$root/scripts/install-deps.sh" clang libclang-rt-14-dev

# -O1 keeps the sanitizers' reports exact and the build quick on two cores; -g1 gives them lines.
cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" \
  -DQUILLON_SANITIZE=ON -DQUILLON_FUZZ=ON >/dev/null
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$build" -j "$(nproc)" "${targets[@]}"
