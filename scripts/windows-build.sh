#!/usr/bin/env bash
# Cross-builds the Windows programs and the portable tests into build-win/
# (Debian 12: MinGW-w64 from packages; installs what is missing). Arguments go
# to cmake --build, e.g. --target dolvane-cli.
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/install_missing.sh
install_missing "${windows_build_packages[@]}"

# The toolchain file is read once, when the build directory is made.
toolchain=()
[[ -f build-win/CMakeCache.txt ]] || toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake)
cmake -S . -B build-win -G Ninja -DCMAKE_BUILD_TYPE=Release "${toolchain[@]}" >/dev/null
cmake --build build-win "$@"
