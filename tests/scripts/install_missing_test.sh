#!/usr/bin/env bash
# scripts/install_missing.sh against stand-ins for dpkg-query, id, sudo and
# apt-get: one apt step for all that is missing, or one command for root.
set -uo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
setsid=$(command -v setsid)  # no controlling terminal: sudo could not ask

# stub NAME BODY: a command in the stand-ins' folder.
stub() { printf '#!/bin/bash\n%s\n' "$2" >"$work/bin/$1" && chmod +x "$work/bin/$1"; }

# run_case NAME UID SUDO(none|yes|refuses) INSTALLED PACKAGE...: runs install_missing
# with no terminal; leaves its status, output and the apt and sudo calls in $work.
run_case() {
  local uid=$2 sudo=$3 installed=$4
  shift 4
  rm -rf "${work:?}/bin" && mkdir "$work/bin"
  : >"$work/calls"
  for tool in grep sh cat; do ln -s "$(command -v $tool)" "$work/bin/$tool"; done
  stub dpkg-query "[[ \" $installed \" == *\" \${@: -1} \"* ]] && echo 'install ok installed'; true"
  stub id "echo $uid"
  stub apt-get "echo \"apt-get \$*\" >>$work/calls"
  case $sudo in
    yes) stub sudo "echo \"sudo \$*\" >>$work/calls; [[ \$1 == -n ]] && exit 0; \"\$@\"" ;;
    refuses) stub sudo "echo \"sudo \$*\" >>$work/calls; exit 1" ;;
  esac
  PATH=$work/bin "$setsid" -w /bin/bash -c \
    "source '$source_dir/scripts/install_missing.sh'; install_missing \"\$@\"; echo returned" \
    bash "$@" </dev/null >"$work/out" 2>&1
  status=$?
}

# check NAME CONDITION...: CONDITION must hold.
check() {
  local name=$1
  shift
  if ! "$@"; then
    echo "FAILED: $name"
    sed 's/^/  output: /' "$work/out"
    sed 's/^/  call: /' "$work/calls"
    failures=$((failures + 1))
  fi
}
calls() { cat "$work/calls"; }
output() { cat "$work/out"; }

run_case "nothing missing" 1000 none "a b" a b a
check "nothing missing: no apt, no message" test "$status/$(output)/$(calls)" = "0/returned/"

run_case "root" 0 none "b" a b c a
check "root: one update and one install of each missing package" \
  test "$status/$(calls)" = "0/apt-get update -qq
apt-get install -y -qq a c"

run_case "sudo without a password" 1000 yes "" a c
check "sudo: the same step through one sudo" \
  test "$status/$(calls)" = "0/sudo -n true
sudo sh -c export DEBIAN_FRONTEND=noninteractive; apt-get update -qq && apt-get install -y -qq \"\$@\" sh a c
apt-get update -qq
apt-get install -y -qq a c"

expected_message="missing packages: a c
install them as root, then run this again:
  apt-get update && apt-get install -y a c"
run_case "no sudo" 1000 none "b" a b c
check "no sudo: the root command once, status 1, no apt" \
  test "$status/$(output)/$(calls)" = "1/$expected_message/"

run_case "sudo refuses, no terminal" 1000 refuses "" a c
check "sudo refuses without a terminal: the root command once, status 1" \
  test "$status/$(output)/$(calls)" = "1/$expected_message/sudo -n true"

((failures == 0)) && echo "install_missing: all cases passed"
((failures == 0))
