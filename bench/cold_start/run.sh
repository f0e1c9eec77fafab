#!/usr/bin/env bash
# Cold start of the window against a bare QDialog, on a private X server.
# Builds what it measures into build/ first. Usage: bench/cold_start/run.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/install_missing.sh
install_missing "${build_packages[@]}" xvfb
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CMAKE_ARGS:-} >/dev/null
cmake --build build --target dolvane-console bare_dialog first_paint_probe
exec xvfb-run -a -s "-screen 0 1366x768x24" /usr/bin/python3 bench/cold_start/cold_start.py build/bin "${1:-15}"
