#!/usr/bin/env bash
# Makes docs/windows-console.png: dolvane-console.exe under wine and Xvfb, after
# reading the 4SX/Y module of the Linux simulator through COM5; and
# docs/windows-monitoring.png: the same window monitoring it, with its trend window;
# docs/windows-traffic.png: the same with its 通讯监视 window open;
# docs/windows-bus-view.png: its 总线视图 polling a bus file of the simulated modules.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install_missing.sh
install_missing "${windows_test_packages[@]}" imagemagick
./scripts/windows-build.sh
source scripts/windows-env.sh
trap stop_wine EXIT
start_wine
start_simulator
device=$sim_device
./scripts/windows-window-check.sh "$device" docs/windows-console.png docs/windows-monitoring.png
modules=$(build/bin/dolvane-cli --help | sed -n 's/^MODEL: *//p' | wc -w)
MODULES=$modules ./scripts/windows-window-check.sh "$device" docs/windows-traffic.png "" docs/windows-bus-view.png
stop_simulator
echo "docs/windows-console.png docs/windows-monitoring.png docs/windows-traffic.png docs/windows-bus-view.png"
