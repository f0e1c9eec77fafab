# shellcheck shell=bash disable=SC2034  # the lists are used by the scripts that source this
# Sourced by the set-up scripts (Debian 12). Each script gathers every package it
# will need and calls install_missing once, so that apt (and sudo) is asked once.

# The Linux programs (configuring the build also looks for GoogleTest).
build_packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-charts-dev qt6-translations-l10n libgtest-dev
                libgl1-mesa-dev fonts-noto-cjk fonts-dejavu-core nlohmann-json3-dev python3)
# What the tests need beyond the build: independent Modbus peers on pty pairs, PDF text,
# lupdate/lrelease for the catalogues.
test_packages=(socat python3-pymodbus poppler-utils qt6-l10n-tools)
# The Windows programs, cross-built (GoogleTest from its sources, for the suite).
windows_build_packages=(cmake ninja-build g++-mingw-w64-x86-64-posix googletest nlohmann-json3-dev python3)
# The Windows packages: the zip and the MSI (wixl, and msitools for its Chinese names).
windows_package_packages=(zip wixl msitools)
# The Windows tests: wine, its fonts and a Ming face for the Chinese of the
# dialogs, Xvfb for the window; they also build and install the packages.
windows_test_packages=("${windows_build_packages[@]}" "${windows_package_packages[@]}"
                       wine wine64 fonts-wine fonts-arphic-uming xvfb)
# The fuzz targets: clang and its libFuzzer runtime.
fuzz_packages=(cmake ninja-build clang libclang-rt-14-dev nlohmann-json3-dev python3)

# missing_packages PACKAGE...: prints those not installed yet, each once.
missing_packages() {
  local p
  local -A seen=()
  for p in "$@"; do
    [[ -n ${seen[$p]:-} ]] && continue
    seen[$p]=1
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || echo "$p"
  done
}

# Whether sudo will run apt for us: at once, or after asking on a terminal. A
# user it refuses (not in sudoers, the wrong password) gets sudo's own word.
sudo_usable() {
  command -v sudo >/dev/null || return 1
  sudo -n true 2>/dev/null && return 0
  { : </dev/tty; } 2>/dev/null || return 1  # no terminal to ask the password on
  sudo -v
}

# install_missing PACKAGE...: installs in one apt step those not installed yet,
# through sudo when not root. Where that cannot be done, prints the one command
# to run as root and exits with status 1.
install_missing() {
  local missing
  mapfile -t missing < <(missing_packages "$@")
  ((${#missing[@]})) || return 0
  local install='export DEBIAN_FRONTEND=noninteractive; apt-get update -qq && apt-get install -y -qq "$@"'
  if [[ $(id -u) -eq 0 ]]; then
    echo "installing: ${missing[*]}"
    sh -c "$install" sh "${missing[@]}"
  elif sudo_usable; then
    echo "installing: ${missing[*]}"
    sudo sh -c "$install" sh "${missing[@]}"
  else
    {
      echo "missing packages: ${missing[*]}"
      echo "install them as root, then run this again:"
      echo "  apt-get update && apt-get install -y ${missing[*]}"
    } >&2
    exit 1
  fi
}
