#!/usr/bin/env bash
# Installs what is missing (in one step), builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/check_includes.sh
source scripts/install_missing.sh
install_missing "${build_packages[@]}" "${test_packages[@]}" "${windows_test_packages[@]}" "${fuzz_packages[@]}"
./scripts/setup.sh  # everything: the programs, the tests and the benchmarks
./scripts/windows-test.sh  # the Windows build under wine
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)
# A short run of every fuzz target; scripts/fuzz.sh SECONDS runs them longer.
./scripts/fuzz.sh "${FUZZ_SECONDS:-15}"
