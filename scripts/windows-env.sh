# Sourced by the Windows scripts: a wine prefix of our own under build-win/, with
# COM5 mapped to build-win/com5, a link that each run points at a pseudo-terminal.
# Wine maps COM1 to /dev/ttyS0 (the machine's console): nothing here opens COM1.
export WINEPREFIX=$PWD/build-win/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono or Gecko installer prompts
export WINEARCH=win64
COM5_LINK=$PWD/build-win/com5

# Runs wine with its output in files: its background services inherit stdout
# and would hold a pipe open.
wine_quiet() { timeout "${WINE_TIMEOUT:-120}" wine "$@" </dev/null >>build-win/wine.log 2>&1; }

start_wine() {
  if [[ ! -f $WINEPREFIX/system.reg ]]; then
    wine_quiet wineboot -i
    wine_quiet reg add 'HKLM\Software\Wine\Ports' /v COM5 /d "$COM5_LINK" /f
    wineserver -w </dev/null >>build-win/wine.log 2>&1
  fi
  wineserver -p </dev/null >>build-win/wine.log 2>&1  # one server for all runs: an .exe then starts in a tenth of a second
}

stop_wine() { wineserver -k </dev/null >>build-win/wine.log 2>&1 || true; }
