#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/) with clang into build-fuzz/ and runs each
# for SECONDS (default 60), one after the other. Fails on the first finding; the
# input that found it is left in build-fuzz/findings/. The corpus each run grows
# is kept in build-fuzz/corpus/, seeded from fuzz/corpus/ when that has seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

source scripts/install_missing.sh
install_missing "${fuzz_packages[@]}"

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ -DFUZZ=ON -DBUILD_APP=OFF >/dev/null
if ! cmake --build build-fuzz >build-fuzz/build.log 2>&1; then
  tail -n 60 build-fuzz/build.log
  exit 1
fi

mkdir -p build-fuzz/findings
for target in build-fuzz/bin/*_fuzz; do
  name=$(basename "$target")
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=()
  [[ -d fuzz/corpus/$name ]] && seeds=("fuzz/corpus/$name")
  log=build-fuzz/$name.log
  echo "fuzz: $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -max_len=2048 -timeout=10 -print_final_stats=1 \
       -artifact_prefix="build-fuzz/findings/$name-" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz: $name found a fault (input in build-fuzz/findings/, log $log)"
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  echo "fuzz: $name ok, $runs runs, $rate execs/s"
done
