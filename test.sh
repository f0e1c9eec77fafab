#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/check_includes.sh
./scripts/setup.sh
source scripts/install_missing.sh
install_missing "${test_packages[@]}"
./scripts/windows-test.sh  # the Windows build under wine
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)
# A short run of every fuzz target; scripts/fuzz.sh SECONDS runs them longer.
./scripts/fuzz.sh "${FUZZ_SECONDS:-15}"
