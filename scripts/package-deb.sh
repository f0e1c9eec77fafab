#!/usr/bin/env bash
# Builds the Debian package dist/dolvane-console_<version>_<arch>.deb: installs
# what is missing, makes a Release build in build-deb/ with Debian's hardening
# flags, and packs it with CPack (dependencies computed by dpkg-shlibdeps).
# Checks the package with lintian when lintian is installed (fails on its errors).
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/install_missing.sh
# dpkg-dev: dpkg-shlibdeps and dpkg-buildflags; file: CPack finds the binaries with it.
install_missing "${build_packages[@]}" dpkg-dev file

build=build-deb
# The changelog's date: the last commit's, so that a rebuild gives the same package.
if [[ -z ${SOURCE_DATE_EPOCH:-} ]] && git rev-parse --git-dir >/dev/null 2>&1; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
  export SOURCE_DATE_EPOCH
fi
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
  "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)"
# Only what the package holds; the tests and benchmarks are not built here.
cmake --build "$build" --target package_contents

rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB)
mkdir -p dist
debs=("$build"/*.deb)
mv "${debs[@]}" dist/
deb=dist/$(basename "${debs[0]}")
echo "built $deb"

if command -v lintian >/dev/null; then
  lintian --info "$deb"  # fails on an error tag
else
  echo "(apt-get install lintian to check the package)"
fi
