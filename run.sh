#!/usr/bin/env bash
# Installs what is missing, builds the program it starts (not the tests), and
# starts the console. With no serial port on the machine it starts on the
# simulated bus; with no display it prints a simulated report instead and says
# how to start the window.
set -euo pipefail
cd "$(dirname "$0")"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  ./scripts/setup.sh dolvane-cli
  echo "No display: here is what the \"4SX/Y\" button shows on the simulated bus."
  echo
  build/bin/dolvane-cli --simulate read 4SXY
  echo
  echo
  echo "To start the window, run ./run.sh from a graphical session."
  exit 0
fi

./scripts/setup.sh dolvane-console
shopt -s nullglob
ports=(/dev/ttyUSB* /dev/ttyACM* /dev/serial/by-id/*)
if ((${#ports[@]})); then
  exec build/bin/dolvane-console "$@"
fi
exec build/bin/dolvane-console --simulate "$@"
