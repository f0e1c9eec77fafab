#!/usr/bin/env bash
# Builds the Windows programs and packs them twice, named with the version:
#   dist/dolvane-console-<version>-x64.msi  the installer (per machine, Program
#       Files, Start-menu entries, an uninstall entry), built with wixl;
#   dist/dolvane-console-<version>-x64.zip  the same files for users without
#       install rights: unpack and run.
# Both hold the two self-contained .exe files, README.txt and LICENSE.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install_missing.sh
install_missing "${windows_build_packages[@]}" "${windows_package_packages[@]}"
./scripts/windows-build.sh --target dolvane-cli dolvane-console

version=$(sed -n 's/.*kDolvaneVersion\[\] = "\(.*\)";/\1/p' build-win/generated/dolvane_version.h)
name=dolvane-console-$version-x64
work=build-win/package
stage=$work/$name
rm -rf "$work"
mkdir -p "$stage" dist
cp build-win/bin/dolvane-console.exe build-win/bin/dolvane-cli.exe "$stage/"
x86_64-w64-mingw32-strip "$stage"/*.exe
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
sed 's/$/\r/' packaging/windows/README.txt >"$stage/README.txt"

rm -f "dist/$name.zip"
(cd "$work" && zip -q -r -X "../../dist/$name.zip" "$name")

sed -e "s|@VERSION@|$version|g" -e "s|@STAGE@|$stage|g" -e "s|@ICON@|src/win/dolvane.ico|g" \
  packaging/windows/dolvane.wxs.in >"$work/dolvane.wxs"
msi=dist/$name.msi
rm -f "$msi"
wixl -a x64 -o "$msi" "$work/dolvane.wxs"
# wixl drops names outside ASCII: the Chinese ones go in afterwards, through
# msibuild's table import, in a database whose code page is Chinese (936).
printf '\r\n\r\n936\t_ForceCodepage\r\n' >"$work/_ForceCodepage.idt"
msibuild "$msi" -i "$work/_ForceCodepage.idt"
msiinfo export "$msi" Shortcut >"$work/ascii.idt"
awk -F'\t' -v OFS='\t' 'NR == FNR { name[$1] = $2; next }
  FNR > 3 && ($1 in name) { $3 = name[$1] } { print }' \
  packaging/windows/shortcut-names.txt "$work/ascii.idt" >"$work/Shortcut.idt"
msibuild "$msi" -i "$work/Shortcut.idt"
msiinfo export "$msi" Property |
  awk -F'\t' -v OFS='\t' '$1 == "ProductName" { $2 = "Dolvane 采集模块调试工具" } { print }' >"$work/Property.idt"
msibuild "$msi" -i "$work/Property.idt"
ls -l "dist/$name.msi" "dist/$name.zip"
