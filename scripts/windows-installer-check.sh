#!/usr/bin/env bash
# The Windows packages under wine: the file properties carry the version, and the
# MSI installs per machine (programs, Start-menu entries), the installed CLI
# runs, and the uninstall removes it all. Run by windows-test.sh (wine started).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/windows-env.sh
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"  # no desktop entries on the host
./scripts/package-windows.sh >build-win/package.log
version=$(sed -n 's/.*kDolvaneVersion\[\] = "\(.*\)";/\1/p' build-win/generated/dolvane_version.h)
msi=dist/dolvane-console-$version-x64.msi
status=0
# check WHAT COMMAND...: COMMAND must succeed.
check() {
  local what=$1
  shift
  if ! "$@"; then echo "installer check failed: $what"; status=1; fi
}

for program in dolvane-console dolvane-cli; do
  shown=$(timeout 60 wine build-win/bin/file_version.exe "build-win/bin/$program.exe" </dev/null 2>/dev/null | tr -d '\r')
  check "$program.exe file version: '$shown'" test "$shown" = "$version $version $version.0"
done

installed="$WINEPREFIX/drive_c/Program Files/Dolvane"
# Installed for every user (ALLUSERS=1); wine's installer still puts the
# entries in the installing user's Start menu, so either folder is taken.
check "per-machine package" grep -q "^ALLUSERS	1" <(msiinfo export "$msi" Property)
menus=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Dolvane"
       "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Dolvane")
wine_quiet msiexec /i "$(winepath -w "$msi" 2>/dev/null)" /qn
printed=$(timeout 60 wine "$installed/dolvane-cli.exe" --version </dev/null 2>/dev/null | tr -d '\r')
check "installed dolvane-cli.exe --version: '$printed'" test "$printed" = "dolvane-cli $version"
for file in dolvane-console.exe README.txt LICENSE.txt; do check "installed $file" test -f "$installed/$file"; done
for entry in "Dolvane 采集模块调试工具" "演示（模拟模块）" "命令提示符（dolvane-cli）"; do
  check "Start-menu entry $entry" test -f "${menus[0]}/$entry.lnk" -o -f "${menus[1]}/$entry.lnk"
done
wine_quiet msiexec /x "$(winepath -w "$msi" 2>/dev/null)" /qn
check "dolvane-cli.exe left after uninstall" test ! -e "$installed/dolvane-cli.exe"
check "Start-menu folder left after uninstall" test ! -e "${menus[0]}" -a ! -e "${menus[1]}"
exit $status
