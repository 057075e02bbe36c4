#!/usr/bin/env bash
# Retakes the window's pictures in docs/: the Linux window (build/) and the Windows one under Wine
# (build-windows/), each started standalone in a folder that holds the example school, in an X
# server of its own; and the Linux window's message of warnings after the example's export. The
# folders are neutral, as a school's would be:
#   Linux   /home/secretaria/SICE/2026-2027 (made for the picture and removed after it)
#   Windows C:\SICE\2026-2027 inside build-windows' own Wine prefix
# Needs both builds (scripts/setup.sh, scripts/windows.sh). Usage: scripts/screenshots.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
title="Exportar e importar datos entre Horvane y SICE"

# Runs "$@" in a fresh X server and captures its window, found by title, into $shot.
capture() {
  local shot=$1
  shift
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    shot=$1 title=$2
    shift 2
    "$@" &
    program=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --name "^$title\$" | head -1)
    sleep 2 # the folder list and the panels are painted after the window maps
    import -window "$window" "$shot"
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
  ' capture "$shot" "$title" "$@"
}

linux_folder=/home/secretaria/SICE/2026-2027
# The first folder of the path that is not there yet goes again afterwards, with what it holds.
made=$linux_folder
while [ ! -d "$(dirname "$made")" ]; do made=$(dirname "$made"); done
[ -d "$made" ] && made=""
mkdir -p "$linux_folder"
cp examples/sice/* "$linux_folder/"
(cd "$linux_folder" && HTEMP=$(mktemp -d) capture "$root/docs/screenshot.png" \
  "$root/build/app/transTalvorSice")

# The message that follows "Proceso finalizado" when the example school's timetable is exported:
# the work folder imported first, then the export pressed and its first message confirmed.
work=$(mktemp -d)
build/cli/transTalvorSice-cli import --sice "$linux_folder" --work "$work" >/dev/null
cp examples/SOLUC.DBF "$work/"
(cd "$linux_folder" && HTEMP=$work xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  shot=$1 title=$2 program=$3
  "$program" &
  pid=$!
  window=$(timeout 60 xdotool search --sync --onlyvisible --name "^$title\$" | head -1)
  sleep 2
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + 289 + 96 + 44)) $((Y + 72 + 12)) click 1 # BImportar: the export
  box=$(timeout 30 xdotool search --sync --onlyvisible --name "^transTalvorSice\$" | head -1)
  xdotool windowfocus --sync "$box" key Return # "Proceso finalizado"
  for ((i = 0; i < 50; i++)); do
    next=$(xdotool search --onlyvisible --name "^transTalvorSice\$" | head -1 || true)
    [ -n "$next" ] && [ "$next" != "$box" ] && break
    sleep 0.2
  done
  sleep 1
  import -window "$next" "$shot"
  xdotool windowfocus --sync "$next" key Return
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
' capture "$root/docs/screenshot-warnings.png" "$title" "$root/build/app/transTalvorSice")
rm -rf "$work"
[ -z "$made" ] || rm -rf "$made"

export WINEARCH=win32 WINEPREFIX=$root/build-windows/wine32-prefix
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
windows_folder=$WINEPREFIX/drive_c/SICE/2026-2027
mkdir -p "$windows_folder"
cp examples/sice/* "$windows_folder/"
(cd "$windows_folder" && capture "$root/docs/screenshot-windows.png" \
  wine "$root/build-windows/app/transTalvorSice.exe")
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX/drive_c/SICE"
identify docs/screenshot.png docs/screenshot-warnings.png docs/screenshot-windows.png
