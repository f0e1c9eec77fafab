#!/usr/bin/env bash
# Installs what the build needs (Debian 12) and builds everything into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/install_missing.sh
install_missing "${build_packages[@]}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CMAKE_ARGS:-}
cmake --build build
