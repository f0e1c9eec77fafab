#!/usr/bin/env bash
# Installs what the build needs (Debian 12) and builds into build/: everything,
# or only the targets named (./scripts/setup.sh dolvane-cli dolvane-sim).
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/install_missing.sh
install_missing "${build_packages[@]}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CMAKE_ARGS:-}
if (($#)); then
  cmake --build build --target "$@"
else
  cmake --build build
fi
