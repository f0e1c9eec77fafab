#!/usr/bin/env bash
# Drives dolvane-console.exe under Xvfb: opens COM5 through the port dialog,
# reads the 4SX/Y module at station 1, and compares the pane with the Linux CLI's
# report from the same simulator; with WINDOW_PORT=tcp:HOST:PORT (or mbtcp:) the
# window opens that name instead, DEVICE being the same name for the Linux CLI,
# and that is all. Given MODULES (how many the simulator serves, at stations
# 1..MODULES), the probe also checks the 通讯监视 window (Ctrl+M) and the 查找模块
# dialog (Ctrl+F), and leaves the traffic window open for the screenshot. Then
# monitors in a second window: the 监视 switch on, the CSV log on through the
# save dialog, 20 polls, the switch off, and checks the log against the Linux
# CLI's header. Given MODULES, it then checks the 总线视图 window (Ctrl+B) on a bus
# file of the simulated modules, and the finder's scan made into a bus. Then
# (without screenshots) opens the window with --simulate and reads from the
# simulated modules inside it. Run by windows-test.sh (wine already set up);
# DEVICE is the simulator's pseudo-terminal that COM5 points at.
#   [WINDOW_PORT=NAME] [MODULES=N] windows-window-check.sh DEVICE [SCREENSHOT.png [MONITORING-SCREENSHOT.png [BUS-SCREENSHOT.png]]]
# The programs run with --lang zh: wine on a machine with only the C locale
# reports an English display language, and the suite checks the Chinese.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/windows-env.sh
device=$1
shot=${2:-}
monitor_shot=${3:-}
bus_shot=${4:-}
modules=${MODULES:-}
out=build-win/window

exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1280x1024x24 -nolisten tcp >build-win/xvfb.log 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
read -r -t 20 -u "$display_fd" display_number
export DISPLAY=:$display_number

timeout 180 wine build-win/bin/dolvane-console.exe --lang zh </dev/null >>build-win/wine.log 2>&1 &
window=$!
linger=0
[[ -n $shot ]] && linger=4
timeout 180 wine build-win/bin/window_probe.exe "${WINDOW_PORT:-5}" 1003 $linger $modules </dev/null >$out.pane 2>$out.err &
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
# Over Modbus TCP the probe's read of a silent station took transaction id 1,
# so the window's report is of the second exchange, where the CLI's is of its first.
second_transaction() {
  if [[ ${WINDOW_PORT:-} == mbtcp:* ]]; then sed 's/^00 01 \(00 00 00 [0-9A-F][0-9A-F] \)/00 02 \1/'; else cat; fi
}
build/bin/dolvane-cli -p "$device" -s 1 read 4SXY </dev/null | second_transaction >$out.cli || true
if ((status != 0)) || ! cmp -s $out.cli $out.pane; then
  echo "window check failed (probe status $status):"
  cat $out.err
  diff $out.cli $out.pane | head -10 || true
  exit 1
fi

[[ -n ${WINDOW_PORT:-} ]] && exit 0

# Monitoring with the log on: the header row as CsvLog writes it (the Linux
# CLI's log of the same model, byte-order mark and all: the Windows window
# marks every CSV it writes), then a row per poll logged, every one ok.
csv=$PWD/build-win/monitor.csv
rm -f "$csv" $out.monitor
timeout 180 wine build-win/bin/dolvane-console.exe --lang zh </dev/null >>build-win/wine.log 2>&1 &
window=$!
linger=0
[[ -n $monitor_shot ]] && linger=8
timeout 180 wine build-win/bin/window_probe.exe 5 1003 $linger --monitor "$(winepath -w "$csv" 2>/dev/null)" 20 \
  </dev/null >$out.monitor 2>$out.monitor.err &
probe=$!
if [[ -n $monitor_shot ]]; then
  for _ in $(seq 600); do grep -q '^polling' $out.monitor 2>/dev/null && break; sleep 0.2; done
  sleep 6  # a few more seconds of curves
  import -display "$DISPLAY" -window root -trim +repage "$monitor_shot"
fi
status=0
wait $probe || status=$?
((status == 0)) || kill $window 2>/dev/null || true
wait $window || true
rm -f $out.header.csv
build/bin/dolvane-cli -p "$device" -s 1 --bom poll 4SXY --count 1 --csv $out.header.csv >/dev/null </dev/null || true
rows=$(tail -n +2 "$csv" 2>/dev/null | wc -l)
ok_rows=$(tail -n +2 "$csv" 2>/dev/null | grep -c '^[^,]*,1,ok,' || true)
if ((status != 0)) || [[ "$(head -1 "$csv" 2>/dev/null)" != "$(head -1 $out.header.csv)" ]] || ((rows < 20 || ok_rows != rows)); then
  echo "monitoring check failed (probe status $status, $ok_rows of $rows rows ok):"
  cat $out.monitor.err
  diff <(head -1 $out.header.csv) <(head -1 "$csv") | head -4 || true
  exit 1
fi

# The bus view, given MODULES: a bus file of the simulated modules (station 1
# with a limit its current is above), opened through the view's open dialog and
# polled until every row says 正常; the rows as the file names them. Then the
# finder's scan made into a bus.
if [[ -n $modules ]]; then
  bus=$PWD/build-win/window.bus.json
  models=($(build/bin/dolvane-cli --help | sed -n 's/^MODEL: *//p'))
  {
    printf '{"format": 1, "port": "COM5", "baud": 9600, "line": "N,8,1", "modules": [\n'
    for ((i = 0; i < modules; i++)); do
      limits=
      ((i == 0)) && limits=', "limits": {"ch1.i": {"high": 0}}'
      printf '  {"station": %d, "model": "%s", "name": "柜%d"%s}%s\n' $((i + 1)) "${models[i]}" $((i + 1)) "$limits" \
        "$( ((i + 1 < modules)) && echo ,)"
    done
    printf ']}\n'
  } >"$bus"
  rm -f $out.bus  # the screenshot waits for its rows
  for ((i = 0; i < modules; i++)); do printf '%d\t柜%d\t%s\t正常\n' $((i + 1)) $((i + 1)) "${models[i]}"; done >$out.bus.expected
  timeout 180 wine build-win/bin/dolvane-console.exe --lang zh </dev/null >>build-win/wine.log 2>&1 &
  window=$!
  linger=0
  [[ -n $bus_shot ]] && linger=4
  timeout 240 wine build-win/bin/window_probe.exe 5 1003 $linger --bus "$(winepath -w "$bus" 2>/dev/null)" "$modules" \
    </dev/null >$out.bus 2>$out.bus.err &
  probe=$!
  if [[ -n $bus_shot ]]; then
    for _ in $(seq 900); do grep -q 正常 $out.bus 2>/dev/null && break; sleep 0.2; done
    sleep 1
    import -display "$DISPLAY" -window root -trim +repage "$bus_shot"
  fi
  status=0
  wait $probe || status=$?
  ((status == 0)) || kill $window 2>/dev/null || true
  wait $window || true
  # Only station 1's current is outside its limit.
  outside_ok=$(awk -F'\t' '(NR == 1) != ($5 ~ / > 0$/) { bad = 1 } END { print bad ? 0 : 1 }' $out.bus)
  if ((status != 0)) || ! cmp -s $out.bus.expected <(cut -f1-4 $out.bus) || ((outside_ok != 1)); then
    echo "bus view check failed (probe status $status):"
    cat $out.bus.err
    diff $out.bus.expected <(cut -f1-4 $out.bus) | head -10 || true
    cut -f1,5 $out.bus | head -3
    exit 1
  fi
fi

# --simulate: the window on the simulated modules inside it; the port dialog
# starts with the bus's port. Live readings: the request lines must agree.
[[ -n $shot ]] && exit 0
timeout 120 wine build-win/bin/dolvane-console.exe --lang zh --simulate </dev/null >>build-win/wine.log 2>&1 &
window=$!
status=0
timeout 120 wine build-win/bin/window_probe.exe - 1003 </dev/null >$out.sim.pane 2>$out.sim.err || status=$?
((status == 0)) || kill $window 2>/dev/null || true
wait $window || true
build/bin/dolvane-cli --simulate -s 1 read 4SXY </dev/null 2>/dev/null | head -2 >$out.sim.cli || true
if ((status != 0)) || ! cmp -s $out.sim.cli <(head -2 $out.sim.pane) || ! grep -q 十六进制显示接收数据 $out.sim.pane; then
  echo "window check with --simulate failed (probe status $status):"
  cat $out.sim.err
  diff $out.sim.cli <(head -2 $out.sim.pane) | head -10 || true
  exit 1
fi
