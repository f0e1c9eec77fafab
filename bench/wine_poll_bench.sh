#!/usr/bin/env bash
# Polling 4SX/Y back to back (interval 0) with the CLI against `dolvane-sim
# --pace` on a pseudo-terminal, at 9600 and 115200 baud: the Linux build on the
# pseudo-terminal itself, then the Windows build under wine on COM5 mapped to
# it. Prints each run's rate as a fraction of the wire limit (the 8-byte
# request, 3.5 characters of turnaround and the 85-byte reply, 10 bits a
# character: bench/poll_bench.cpp's) and its CPU per poll: the CLI's process
# less a one-poll run's (the start-up), and under wine the wineserver's share
# beside it. The simulator runs with a timer slack of 1 ns (bench/fine_timer_slack.py).
# Needs build/bin/dolvane-sim, build/bin/dolvane-cli and build-win/bin/dolvane-cli.exe.
#   bench/wine_poll_bench.sh [WINDOWS-CLI.exe]
set -euo pipefail
cd "$(dirname "$0")/.."
win_cli=${1:-build-win/bin/dolvane-cli.exe}
source scripts/windows-env.sh
trap stop_wine EXIT
mkdir -p build-win
: >>build-win/wine.log
start_wine

# The wineserver of this prefix, whose CPU the .exe's calls into it cost.
wineserver_pid() {
  local pid
  for pid in $(pgrep -x 'wineserver(64)?' || true); do
    if { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid"
      return
    fi
  done
}
# User + system CPU seconds of a process so far.
cpu_of() {
  [[ -n ${1:-} && -r /proc/$1/stat ]] || { echo 0; return; }
  awk -v tick="$(getconf CLK_TCK)" '{ print ($14 + $15) / tick }' "/proc/$1/stat"
}

# CPU seconds (user + system) of one poll session of COUNT polls; the CLI's
# summary line is left in build-win/bench.err.
session_cpu() {
  local baud=$1 polls=$2
  shift 2
  local times=build-win/bench.times
  { TIMEFORMAT='%U %S'; time "$@" -b "$baud" -s 1 poll 4SXY --interval 0 --count "$polls" \
      </dev/null >/dev/null 2>build-win/bench.err; } 2>"$times"
  awk '{ print $1 + $2 }' "$times"
}
# Prints "RATE CPU-SECONDS-PER-POLL WINESERVER-SECONDS-PER-POLL" for POLLS polls.
poll_run() {
  local baud=$1 polls=$2
  shift 2
  local before cpu one rate after
  before=$(cpu_of "$server")
  cpu=$(session_cpu "$baud" "$polls" "$@")
  after=$(cpu_of "$server")
  rate=$(sed -n 's/.*; \([0-9.]*\) polls\/s.*/\1/p' build-win/bench.err | tail -1)
  one=$(session_cpu "$baud" 1 "$@")
  awk -v r="${rate:-0}" -v n="$polls" -v c="$cpu" -v o="$one" -v a="$before" -v b="$after" \
    'BEGIN { print r, (c - o) / (n - 1), (b - a) / n }'
}
server=$(wineserver_pid)
printf '%-7s %-6s %6s %10s %9s %18s\n' baud build polls "of wire" "polls/s" "CPU ms/poll"
for baud in 9600 115200; do
  polls=$((baud == 9600 ? 100 : 1000))
  limit=$(awk -v b="$baud" 'BEGIN { print b / (10 * (8 + 3.5 + 85)) }')
  SIM_LAUNCHER=bench/fine_timer_slack.py start_simulator --pace --module "1:4SXY@$baud,N,8,1"
  for build in linux wine; do
    if [[ $build == linux ]]; then
      read -r rate cpu served < <(poll_run "$baud" "$polls" build/bin/dolvane-cli -p "$sim_device")
    else
      read -r rate cpu served < <(poll_run "$baud" "$polls" timeout 600 wine "$win_cli" -p COM5)
    fi
    awk -v b="$baud" -v w="$build" -v n="$polls" -v r="$rate" -v l="$limit" -v c="$cpu" -v s="$served" \
      'BEGIN { printf "%-7s %-6s %6d %10.3f %9.1f %12.3f", b, w, n, r / l, r, 1000 * c
               if (w == "wine") printf " + %.3f wineserver", 1000 * s
               printf "\n" }'
  done
  stop_simulator
done
