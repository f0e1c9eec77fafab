#!/usr/bin/env bash
# Drives dolvane-console.exe under Xvfb: opens COM5 through the port dialog,
# reads the 4SX/Y module at station 1, and compares the pane with the Linux CLI's
# report from the same simulator. Run by windows-test.sh (wine already set up);
# DEVICE is the simulator's pseudo-terminal that COM5 points at. Given MODULES
# (how many the simulator serves, at stations 1..MODULES), the probe also checks
# the 通讯监视 window (Ctrl+M) and the 查找模块 dialog (Ctrl+F), and leaves the
# traffic window open for the screenshot.
#   windows-window-check.sh DEVICE [SCREENSHOT.png [MODULES]]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/windows-env.sh
device=$1
shot=${2:-}
modules=${3:-}
out=build-win/window

exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1280x1024x24 -nolisten tcp >build-win/xvfb.log 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
read -r -t 20 -u "$display_fd" display_number
export DISPLAY=:$display_number

timeout 180 wine build-win/bin/dolvane-console.exe </dev/null >>build-win/wine.log 2>&1 &
window=$!
linger=0
[[ -n $shot ]] && linger=4
timeout 180 wine build-win/bin/window_probe.exe 5 1003 $linger $modules </dev/null >$out.pane 2>$out.err &
probe=$!
if [[ -n $shot ]]; then
  for _ in $(seq 900); do [[ -s $out.pane ]] && break; sleep 0.2; done
  sleep 1
  import -display "$DISPLAY" -window root -trim +repage "$shot"
fi
status=0
wait $probe || status=$?
((status == 0)) || kill $window 2>/dev/null || true  # the probe did not close it
wait $window || true
build/bin/dolvane-cli -p "$device" -s 1 read 4SXY >$out.cli </dev/null || true
if ((status != 0)) || ! cmp -s $out.cli $out.pane; then
  echo "window check failed (probe status $status):"
  cat $out.err
  diff $out.cli $out.pane | head -10 || true
  exit 1
fi
