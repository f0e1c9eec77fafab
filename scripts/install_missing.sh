# Sourced by the set-up scripts (Debian 12).

# What building the programs and the tests needs.
build_packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-charts-dev qt6-translations-l10n libgtest-dev
                libgl1-mesa-dev fonts-noto-cjk fonts-dejavu-core nlohmann-json3-dev)
# What the tests need beyond the build: independent Modbus peers on pty pairs.
test_packages=(socat python3-pymodbus poppler-utils)

# install_missing PACKAGE...: apt-get install those not installed yet, through sudo
# when not root; without sudo, names them and fails.
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  local sudo_cmd=()
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
}
