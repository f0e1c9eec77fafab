# Sourced by the Windows scripts: a wine prefix of our own under build-win/, with
# COM5 mapped to build-win/com5, a link that each run points at a pseudo-terminal.
# Wine maps COM1 to /dev/ttyS0 (the machine's console): nothing here opens COM1.
export WINEPREFIX=$PWD/build-win/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer prompts
export WINEARCH=win64
COM5_LINK=$PWD/build-win/com5
export FONTCONFIG_FILE=$PWD/scripts/wine-fonts.conf

# Runs wine with its output in files: its background services inherit stdout
# and would hold a pipe open.
wine_quiet() { timeout "${WINE_TIMEOUT:-120}" wine "$@" </dev/null >>build-win/wine.log 2>&1; }

# The dialog font and 宋体 resolve to a Ming face with SimSun's metrics
# (fonts-arphic-uming: half-width Latin, 1 em lines, so the dialog units come out
# as on a Chinese Windows),
# else Chinese text shows as boxes; plain glyphs, as that face is drawn on
# Windows. Without a window manager (Xvfb) wine draws the caption bar itself.
# Written as UTF-16, as regedit reads it.
write_settings() {
  local reg=build-win/wine-settings.reg
  printf '\xff\xfe' >$reg
  iconv -f UTF-8 -t UTF-16LE >>$reg <<REG
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Wine\Ports]
"COM5"="$COM5_LINK"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"MS Shell Dlg"="SimSun"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"SimSun"="AR PL UMing CN"
"宋体"="AR PL UMing CN"

[HKEY_CURRENT_USER\Control Panel\Desktop]
"FontSmoothing"="0"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
  wine_quiet regedit /S "$(winepath -w $reg 2>/dev/null)"
}

start_wine() {
  if [[ ! -f $WINEPREFIX/system.reg ]]; then
    wine_quiet wineboot -i
    write_settings
    wineserver -w </dev/null >>build-win/wine.log 2>&1
  fi
  # One server for all runs: an .exe then starts in a tenth of a second. One
  # left running by an earlier run (status 2) serves as well.
  wineserver -p </dev/null >>build-win/wine.log 2>&1 || [[ $? == 2 ]]
}

stop_wine() { wineserver -k </dev/null >>build-win/wine.log 2>&1 || true; }

# Starts the Linux simulator (demo bus, steady readings; SIM-ARGS added) and
# points COM5 at its pseudo-terminal; sets sim_device. It ends when its input
# closes: stop_simulator. SIM_LAUNCHER, if set, is a program that runs it.
#   [SIM_LAUNCHER=PROGRAM] start_simulator [SIM-ARGS...]
start_simulator() {
  rm -f build-win/sim.out
  exec {sim_in}> >(exec ${SIM_LAUNCHER:-} build/bin/dolvane-sim --steady --exit-on-eof "$@" >build-win/sim.out 2>&1)
  for _ in $(seq 100); do
    sim_device=$(head -1 build-win/sim.out 2>/dev/null || true)
    [[ $sim_device == /dev/pts/* ]] && break
    sleep 0.1
  done
  [[ $sim_device == /dev/pts/* ]] || { echo "dolvane-sim did not start: $(cat build-win/sim.out)"; return 1; }
  ln -sfn "$sim_device" "$COM5_LINK"  # wine opens the link's target at CreateFile
}

stop_simulator() { exec {sim_in}>&-; }
