#!/usr/bin/env bash
# The Windows part of ./test.sh: cross-builds, then under wine (headless) runs the
# portable test suite, compares dolvane-cli.exe on COM5 with the Linux CLI
# against the Linux simulator, and drives the dialog window under Xvfb.
# Needs build/bin/dolvane-sim and build/bin/dolvane-cli (./scripts/setup.sh).
# The programs run with --lang zh: wine on a machine with only the C locale
# reports an English display language, and the suite checks the Chinese.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install_missing.sh
install_missing "${windows_test_packages[@]}"
./scripts/windows-build.sh
source scripts/windows-env.sh
trap stop_wine EXIT
: >build-win/wine.log
start_wine
failures=0
passes=0
pass() { passes=$((passes + 1)); }
fail() { echo "windows: FAILED $*"; failures=$((failures + 1)); }

# The Linux simulator on a pseudo-terminal, reached as COM5.
start_simulator
device=$sim_device

# 1. The portable suite.
if DOLVANE_COM5_SIM=1 timeout 600 wine build-win/bin/core_tests.exe --gtest_brief=1 </dev/null >build-win/core_tests.log 2>&1; then
  pass
else
  fail "core_tests.exe (build-win/core_tests.log)"
  grep -E '^\[  FAILED  \]' build-win/core_tests.log | head -20 || true
fi
grep -E '^\[  PASSED  \]' build-win/core_tests.log | sed 's/^/windows core_tests.exe: /' || true

# 2. The CLI through COM5, compared with the Linux CLI.
# Runs one command line on both; same stdout, stderr and exit status.
compare() { compare_on "$device" COM5 "$@"; }
# The same with the port each CLI opens: compare_on LINUX-PORT WINDOWS-PORT ARGS...
compare_on() {
  local out=build-win/e2e linux_port=$1 win_port=$2
  shift 2
  set +e
  # (its writes go into a journal of the build tree, not the user's)
  DOLVANE_JOURNAL=build-win/linux-journal.jsonl \
    build/bin/dolvane-cli -p "$linux_port" "$@" >$out.linux.out 2>$out.linux.err </dev/null
  local linux_status=$?
  timeout 60 wine build-win/bin/dolvane-cli.exe --lang zh -p "$win_port" "$@" >$out.win.out 2>$out.win.err </dev/null
  local win_status=$?
  set -e
  if [[ $linux_status == "$win_status" ]] && cmp -s $out.linux.out $out.win.out &&
     cmp -s $out.linux.err $out.win.err; then
    pass
  else
    fail "dolvane-cli.exe -p $win_port $* (status $win_status, Linux $linux_status)"
    diff $out.linux.out $out.win.out | head -5 || true
    diff $out.linux.err $out.win.err | head -5 || true
  fi
}
models=$(build/bin/dolvane-cli --help | sed -n 's/^MODEL: *//p')
station=1
for model in $models; do  # the simulator's stations follow the model list
  compare -s $station read "$model"
  station=$((station + 1))
done
compare -s 1 read-registers 0 12
compare -s 1 write-register 100 7      # write-protected: the exception's box, status 1
compare -s 0 write-register 100 7      # the broadcast 警告 box: NUL is no console, so no prompt, status 3
compare -s 99 read 4SXY                # a silent station: the time-out's box
compare -s 2 -b 19200 read 3SXY        # a line the module does not use: silence too

# --simulate: the bus in process on Windows, on a pseudo-terminal on Linux. The
# readings are live, so the request lines, the boxes and the status must agree.
for model in $models; do
  set +e
  build/bin/dolvane-cli --simulate read "$model" </dev/null 2>build-win/sim.linux.err >build-win/sim.linux.full
  linux_status=$?
  timeout 60 wine build-win/bin/dolvane-cli.exe --lang zh --simulate read "$model" </dev/null 2>build-win/sim.win.err >build-win/sim.win.full
  win_status=$?
  set -e
  head -2 build-win/sim.linux.full >build-win/sim.linux.out
  head -2 build-win/sim.win.full >build-win/sim.win.out
  if [[ $linux_status == "$win_status" ]] && cmp -s build-win/sim.linux.out build-win/sim.win.out &&
     cmp -s build-win/sim.linux.err build-win/sim.win.err && grep -q 十六进制显示接收数据 build-win/sim.win.full; then
    pass
  else
    fail "dolvane-cli.exe --simulate read $model (status $win_status, Linux $linux_status)"
  fi
done

# The whole bus through COM5: a scan writes a bus file (saved by MoveFileExW),
# which poll-bus then polls, every row ok (the demo bus: station n is model n).
rm -f build-win/bus.json
set +e
timeout 120 wine build-win/bin/dolvane-cli.exe --lang zh -p COM5 scan-stations 1 3 --bus 'build-win\bus.json' </dev/null \
  >/dev/null 2>build-win/bus.scan.err
scan_status=$?
timeout 120 wine build-win/bin/dolvane-cli.exe --lang zh -p COM5 --bus 'build-win\bus.json' poll-bus --count 2 </dev/null \
  >build-win/bus.out 2>build-win/bus.err
poll_status=$?
set -e
bus_rows=$(tail -n +2 build-win/bus.out | cut -d, -f5 | tr -d '\r' | sort | uniq -c | tr -s ' ')
if [[ $scan_status == 0 && $poll_status == 0 && $bus_rows == " 6 ok" ]]; then
  pass
else
  fail "dolvane-cli.exe scan-stations --bus, then poll-bus (status $scan_status, $poll_status; rows: $bus_rows)"
  cat build-win/bus.scan.err build-win/bus.err | head -5
fi

# The write journal on Windows: at its default place (%APPDATA%\Dolvane), each
# line flushed by FlushFileBuffers, listed by the same command as on Linux.
set +e
timeout 60 wine build-win/bin/dolvane-cli.exe --lang zh -p COM5 -s 1 --read-before-write write-register 20 7 </dev/null \
  >/dev/null 2>&1
timeout 60 wine build-win/bin/dolvane-cli.exe --lang zh journal --station 1 </dev/null >build-win/journal.out 2>build-win/journal.err
journal_status=$?
set -e
if [[ $journal_status == 0 ]] && tail -1 build-win/journal.out | tr -d '\r' |
   grep -q '  COM5 9600 N,8,1  station 1  write-register  20=7 (was [0-9]*)  exception: '; then
  pass
else
  fail "dolvane-cli.exe journal (status $journal_status): $(tail -1 build-win/journal.out) $(cat build-win/journal.err)"
fi

# 3. The window under Xvfb: open COM5, read a model, compare the pane; the
# traffic window (Ctrl+M) lists the read, the finder (Ctrl+F) scans stations
# 1-20 and names every simulated module; monitoring with the CSV log; --simulate.
if [[ -f build-win/bin/dolvane-console.exe ]]; then
  MODULES=$(wc -w <<<"$models") ./scripts/windows-window-check.sh "$device" && pass ||
    fail "dolvane-console.exe window check"
fi

# 4. A serial server and a Modbus TCP server through Winsock: the Linux
# simulator listening on a free loopback port, read by both CLIs and the window.
# Starts `dolvane-sim --tcp` or `--mbtcp` (KIND) and sets tcp_name to what the
# console opens; it ends when its input closes (stop_tcp_simulator).
start_tcp_simulator() {
  local out=build-win/sim$1.out
  rm -f "$out"
  exec {tcp_sim_in}> >(exec build/bin/dolvane-sim --steady --exit-on-eof "$1" 127.0.0.1:0 >"$out" 2>&1)
  for _ in $(seq 100); do
    tcp_name=$(head -1 "$out" 2>/dev/null || true)
    [[ $tcp_name == *tcp:127.0.0.1:* ]] && return 0
    sleep 0.1
  done
  echo "dolvane-sim $1 did not start: $(cat "$out")"
  return 1
}
stop_tcp_simulator() { exec {tcp_sim_in}>&-; }
for kind in --tcp --mbtcp; do
  start_tcp_simulator $kind || { fail "dolvane-sim $kind"; continue; }
  compare_on "$tcp_name" "$tcp_name" -s 1 read 4SXY
  compare_on "$tcp_name" "$tcp_name" -s 1 read-registers 0 12
  compare_on "$tcp_name" "$tcp_name" -s 99 read 4SXY   # no module there
  if [[ -f build-win/bin/dolvane-console.exe ]]; then
    WINDOW_PORT=$tcp_name ./scripts/windows-window-check.sh "$tcp_name" && pass ||
      fail "dolvane-console.exe window check on $tcp_name"
  fi
  stop_tcp_simulator
done
# Nothing listens on port 1 of loopback: the refusal's box and status.
compare_on tcp:127.0.0.1:1 tcp:127.0.0.1:1 -s 1 read 4SXY
compare_on mbtcp:127.0.0.1:1 mbtcp:127.0.0.1:1 -s 1 read 4SXY
stop_simulator

# 5. The packages: versions in the file properties, the MSI installed and removed.
./scripts/windows-installer-check.sh && pass || fail "Windows installer check"

echo "windows: $passes passed, $failures failed"
((failures == 0))
