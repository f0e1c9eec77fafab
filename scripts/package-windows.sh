#!/usr/bin/env bash
# Builds the Windows programs and packs dist/dolvane-windows-x64.zip: the two
# self-contained .exe files and a short README (Chinese and English).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/install_missing.sh
install_missing zip
./scripts/windows-build.sh --target dolvane-cli dolvane-console

stage=build-win/package/dolvane-windows-x64
rm -rf build-win/package
mkdir -p "$stage" dist
cp build-win/bin/dolvane-console.exe build-win/bin/dolvane-cli.exe "$stage/"
x86_64-w64-mingw32-strip "$stage"/*.exe
sed 's/$/\r/' >"$stage/README.txt" <<'TEXT'
Dolvane 采集模块调试工具 — Windows 64 位版
===========================================

dolvane-console.exe  窗口程序：双击运行。点“打开串口”，输入端口号（5 即 COM5，
                     10 及以上为 \\.\COM10）或从列表中选取本机串口，再按型号按钮读取。
dolvane-cli.exe      命令行程序，供脚本使用：
                     dolvane-cli.exe -p 5 -s 1 read 4SXY
                     dolvane-cli.exe --help 列出全部操作与退出码。

无需安装，无需其他 DLL。USB-RS485 转换器的端口号见“设备管理器 → 端口 (COM 和 LPT)”。

Dolvane acquisition console — Windows x64
=========================================

dolvane-console.exe  the window: press 打开串口 (open port) and give a port number
                     (5 is COM5; 10 and above open as \\.\COM10) or pick one of the
                     listed ports, then press a model button.
dolvane-cli.exe      the same operations from a command prompt, for scripts:
                     dolvane-cli.exe -p 5 -s 1 read 4SXY
                     dolvane-cli.exe --help lists the operations and exit statuses.

Nothing to install and no DLLs to ship. A USB-RS485 adapter's port number is shown
in Device Manager under "Ports (COM & LPT)".
TEXT
rm -f dist/dolvane-windows-x64.zip
(cd build-win/package && zip -q -r -X ../../dist/dolvane-windows-x64.zip dolvane-windows-x64)
ls -l dist/dolvane-windows-x64.zip
