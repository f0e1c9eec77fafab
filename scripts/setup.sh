#!/usr/bin/env bash
# Installs what the build needs (Debian 12) and builds everything into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-translations-l10n libgtest-dev
          libgl1-mesa-dev fonts-noto-cjk)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then
    if ! command -v sudo >/dev/null; then
      echo "missing packages: ${missing[*]}" >&2
      echo "install them as root, then run this again:" >&2
      echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
      exit 1
    fi
    sudo_cmd=(sudo)
  fi
  echo "installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CMAKE_ARGS:-}
cmake --build build
