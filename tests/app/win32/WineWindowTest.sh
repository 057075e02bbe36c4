#!/usr/bin/env bash
# The Windows window under Wine, in an X server of its own (run under xvfb-run): started by a
# user, checked for its size, caption, fixed frame, icon, task bar title and drive selector; a job
# started in each of the three ways (click, Enter on the button, Enter in the folder list),
# after which the keyboard must still work: the focus on a control that takes it, F1 asking for
# help context 3 and giving the focus back when the viewer closes, Tab moving on. Then started by
# a stand-in host with a job word and the host window's handle, checked for its place inside the
# host, pressed again, and its hand-off read back. The SICE and work folders lie in a folder named
# with letters that the Windows code page lacks. Screenshots go to $TTS_SCREENSHOT when set.
#
#   WineWindowTest.sh <transTalvorSice.exe> <EmbeddingHost.exe> <examples/sice folder>
#                     <WindowProbe.exe> <HHCtrl.ocx stand-in>
set -euo pipefail

program=$1
host=$2
examples=$3
probe=$4
helpRecorder=$5
# The stand-in HHCtrl.ocx beside the program, not Wine's own.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;hhctrl.ocx=n"

scratch=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wineserver -k 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

sice_dir="$scratch/Datos Łódź/sice" work_dir="$scratch/Datos Łódź/HTEMP"
mkdir -p "$scratch/program" "$sice_dir" "$work_dir"
cp "$program" "$scratch/program/transTalvorSice.exe"
cp "$examples"/* "$sice_dir/"
export HTEMP
HTEMP=$(winepath -w "$work_dir" 2>/dev/null)
exe=$(winepath -w "$scratch/program/transTalvorSice.exe" 2>/dev/null)
tables=(ASIGNOMT PROFT AULAT GRUPOST ASIGT DIASHORAST)

# Presses Return on every box of the program until `pid` has ended (or, without one, `count`
# boxes, 1 unless given, are confirmed) or `seconds` have passed; prints how many it confirmed.
# Each box's icon and text go, one box after another, into $scratch/boxes.log.
confirm_boxes() {
  local pid=$1 seconds=$2 count=${3:-1} confirmed=0
  for ((i = 0; i < seconds * 5; i++)); do
    for box in $(xdotool search --onlyvisible --name '^transTalvorSice$' 2>/dev/null || true); do
      # Not the application's own window, which has no size (Wine shows it as one pixel).
      [ "$(xdotool getwindowgeometry "$box" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')" -gt 1 ] ||
        continue
      { probe box; echo "--"; } >>"$scratch/boxes.log"
      xdotool windowfocus --sync "$box" key Return 2>/dev/null && confirmed=$((confirmed + 1))
    done
    if [ -n "$pid" ] && ! kill -0 "$pid" 2>/dev/null; then break; fi
    [ -z "$pid" ] && [ $confirmed -ge "$count" ] && break
    sleep 0.2
  done
  echo $confirmed
}

title='^Exportar e importar datos entre Horvane y SICE$'
cp "$helpRecorder" "$scratch/program/HHCtrl.ocx"
export TTS_HELP_LOG
TTS_HELP_LOG=$(winepath -w "$scratch/help.log" 2>/dev/null)

probe() { wine "$probe" "$@" 2>/dev/null | tr -d '\r'; }
# Waits until the Win32 focus is on control $1 (as WindowProbe names it); $2 says when.
focus_is() {
  local got=""
  for ((i = 0; i < 25; i++)); do
    got=$(probe focus)
    [ "$got" = "$1" ] && return 0
    sleep 0.2
  done
  fail "$2: the focus is on '$got', not on $1"
}
keys() { xdotool windowfocus --sync "$window" key "$@"; }
# The last help request, once there is one more than $1.
help_request() {
  for ((i = 0; i < 50; i++)); do
    [ "$(wc -l <"$scratch/help.log" 2>/dev/null || echo 0)" -gt "$1" ] && break
    sleep 0.2
  done
  tail -1 "$scratch/help.log" 2>/dev/null | tr -d '\r'
}

# Closes the stand-in help viewer with Alt+F4, as a user would.
close_viewer() {
  local viewer
  viewer=$(timeout 20 xdotool search --sync --onlyvisible --name '^Ayuda de prueba$' | head -1)
  xdotool windowfocus --sync "$viewer" key alt+F4
  for ((i = 0; i < 50; i++)); do
    xdotool search --onlyvisible --name '^Ayuda de prueba$' >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  fail "the help viewer did not close"
}

# way, what starts the job, the focus after the job, after Tab
ways=(
  "click|mouse BExportar|BClose|Directorios"
  "Enter on the button|key Return|BClose|Directorios"
  "Enter in the list|list Return|Directorios|Unidades"
)
first=yes
for way in "${ways[@]}"; do
  IFS='|' read -r name start after afterTab <<<"$way"
  echo "== standalone, job started by $name"
  rm -f "$work_dir"/* "$scratch/help.log"
  (cd "$sice_dir" && exec wine "$exe") &
  pids+=($!)
  window=$(timeout 60 xdotool search --sync --onlyvisible --name "$title" | head -1)
  [ -n "$window" ] || fail "no window"
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$window")"
  if [ $first = yes ]; then
    geometry=$(xwininfo -id "$window")
    grep -q 'Width: 599' <<<"$geometry" && grep -q 'Height: 270' <<<"$geometry" ||
      fail "client area is not 599 x 270: $geometry"
    hints=$(xprop -id "$window" WM_NORMAL_HINTS _MOTIF_WM_HINTS)
    grep -q 'minimum size: 599 by 270' <<<"$hints" && grep -q 'maximum size: 599 by 270' <<<"$hints" ||
      fail "the frame is not of fixed size: $hints"
    # Motif hints: functions move and close only (0x24); decorations border, title and menu, no
    # minimise or maximise box and no resize handles (0x1a).
    grep -q '= 0x3, 0x24, 0x1a,' <<<"$hints" || fail "not a fixed dialog frame with a close box: $hints"
    # The program's own icon in the title bar and the task bar: Wine hands the window class's two
    # icons to X, each read here by its size and the colour of the frame at its top edge.
    icons=$(xprop -id "$window" -notype -f _NET_WM_ICON 32c '$0+\n' _NET_WM_ICON |
      sed 's/^_NET_WM_ICON//' | tr -d ' ' | tr ',' '\n' | awk '{ v[NR] = $1 } END {
        for (i = 1; i < NR; i += 2 + v[i] * v[i + 1])
          printf "%dx%d:%.0f ", v[i], v[i + 1], v[i + 2 + v[i] / 2] }')
    # 0xFF283C78: opaque, red 40, green 60, blue 120.
    [[ $icons == *"32x32:4280827000 "* && $icons == *"16x16:4280827000 "* ]] ||
      fail "the window does not carry the application icon: $icons"
    [ "$(probe taskbar)" = "transTalvorSice" ] || fail "the task bar shows: $(probe taskbar)"
    [ "$(probe drives)" = "137x19" ] || fail "the drive selector is $(probe drives)"
    if [ -n "${TTS_SCREENSHOT:-}" ]; then import -window "$window" "$TTS_SCREENSHOT"; fi
  fi
  focus_is BExportar "at start"

  case $start in
  mouse*) xdotool mousemove $((X + 88 + 44)) $((Y + 72 + 12)) click 1 ;; # BExportar
  key*) keys Return ;;
  list*)
    xdotool mousemove $((X + 8 + 60)) $((Y + 101 + 34 + 8)) click 1 # a row of Directorios
    focus_is Directorios "after a click in the folder list"
    keys Return
    ;;
  esac
  # The example school repeats a few codes on purpose: a second box, after the first, says which.
  [ "$(confirm_boxes "" 60 2)" -ge 2 ] || fail "no 'Proceso finalizado' and warnings after the import"
  for table in "${tables[@]}"; do
    [ -f "$work_dir/$table.DBF" ] || fail "the import did not write $table.DBF"
  done
  focus_is "$after" "after the job"

  keys F1
  # The help file beside the program, whatever the working folder.
  request=$(help_request 0)
  [ "${request%% Z:*}" = "context 3 $after" ] && [[ "$request" == *'\program\SICE.chm' ]] ||
    fail "F1 after the job asked: $(cat "$scratch/help.log" 2>/dev/null)"
  close_viewer
  keys shift # back in the window
  focus_is "$after" "after the help closed"

  keys Tab
  focus_is "$afterTab" "after Tab"
  keys shift+Tab
  focus_is "$after" "after Shift+Tab"
  keys F1
  [ "$(help_request 1 | cut -d' ' -f1-3)" = "context 3 $after" ] ||
    fail "F1 after Tab asked: $(cat "$scratch/help.log")"
  close_viewer

  if [ $first = yes ]; then
    xdotool mousemove $((X + 385 + 44)) $((Y + 101 + 105 + 12)) click 1 # BClose
  else
    keys alt+s
  fi
  for ((i = 0; i < 50; i++)); do
    xdotool search --name '^Exportar e importar' >/dev/null 2>&1 || break
    sleep 0.2
  done
  xdotool search --name '^Exportar e importar' >/dev/null 2>&1 && fail "Salir did not close the window"
  [ ! -e "$scratch/program/Horvane.ini" ] || fail "standalone wrote Horvane.ini"
  wineserver -w
  first=no
done

echo "== embedded"
rm -f "$work_dir"/*
(cd "$sice_dir" && exec wine "$host" "$exe" exportar >"$scratch/host.raw" 2>/dev/null) &
hostPid=$!
pids+=($hostPid)
# The host writes its console lines with CR LF.
hostLog() { tr -d '\r' <"$scratch/host.raw" >"$scratch/host.log" 2>/dev/null || true; }
for ((i = 0; i < 300; i++)); do
  hostLog
  grep -q '^button ' "$scratch/host.log" 2>/dev/null && break
  grep -q 'not embedded\|cannot start' "$scratch/host.log" 2>/dev/null && break
  sleep 0.2
done
cat "$scratch/host.log"
grep -q '^parent host$' "$scratch/host.log" || fail "not a child of the host's window"
grep -q '^child yes caption no$' "$scratch/host.log" || fail "not a child window without caption"
grep -q '^at 2,2 size 599x270$' "$scratch/host.log" || fail "not at (2, 2) of the host, 599 x 270"
read -r _ button < <(grep '^button ' "$scratch/host.log")
xdotool mousemove "${button%,*}" "${button#*,}" click 1 # BExportar, the only job shown
# A box that has gone may still be seen for a moment, so at least two.
[ "$(confirm_boxes $hostPid 60)" -ge 2 ] || fail "not 'Proceso finalizado' and the warnings after the embedded import"
wait $hostPid || { hostLog; fail "the host reports a failure: $(cat "$scratch/host.log")"; }
hostLog
grep -q '^ended 0$' "$scratch/host.log" || fail "the program did not end by itself"
[ "$(cat "$scratch/program/Horvane.ini")" = $'[Transformadores]\r\nTransformado=1\r' ] ||
  fail "Horvane.ini holds: $(od -c "$scratch/program/Horvane.ini")"
for table in "${tables[@]}"; do
  [ -f "$work_dir/$table.DBF" ] || fail "the embedded import did not write $table.DBF"
done

# A SOLUC of one lesson whose codes are all found or empty, as the host would write it.
clean_soluc() {
  python3 - "$1" <<'PY'
import struct, sys
fields = [("DIA", "N", 2), ("HORA", "N", 2), ("PROF", "C", 10), ("CODGRUPO", "C", 10),
          ("TAREA", "C", 10), ("ASIG", "C", 10), ("AULA", "C", 10)]
record = 1 + sum(w for _, _, w in fields)
header = 32 + 32 * len(fields) + 1
out = struct.pack("<BBBBIHH20x", 3, 124, 1, 1, 1, header, record)
for name, kind, width in fields:
    out += struct.pack("<11sc4xBB14x", name.encode(), kind.encode(), width, 0)
values = {"DIA": " 1", "HORA": " 1", "PROF": "PGAR", "ASIG": "MAT"}
out += b"\r" + b" " + b"".join(values.get(n, "").ljust(w).encode() for n, _, w in fields) + b"\x1a"
open(sys.argv[1], "wb").write(out)
PY
}

# Embedded exports: the example school's timetable, whose missing rooms, groups and tasks a
# second box names after "Proceso finalizado"; then one whose codes are all found, which shows
# "Proceso finalizado" only. The window closes by itself and hands off 1 either way.
for soluc in example clean; do
  echo "== embedded export, $soluc timetable"
  if [ $soluc = example ]; then cp "$examples/../SOLUC.DBF" "$work_dir/SOLUC.DBF"; else clean_soluc "$work_dir/SOLUC.DBF"; fi
  rm -f "$scratch/program/Horvane.ini" "$scratch/boxes.log"
  (cd "$sice_dir" && exec wine "$host" "$exe" importar >"$scratch/host.raw" 2>/dev/null) &
  hostPid=$!
  pids+=($hostPid)
  for ((i = 0; i < 300; i++)); do
    hostLog
    grep -q '^button \|not embedded\|cannot start' "$scratch/host.log" 2>/dev/null && break
    sleep 0.2
  done
  read -r _ button < <(grep '^button ' "$scratch/host.log")
  xdotool mousemove "${button%,*}" "${button#*,}" click 1 # BImportar, the only job shown
  boxes=$(confirm_boxes $hostPid 60)
  wait $hostPid || { hostLog; fail "the host reports a failure: $(cat "$scratch/host.log")"; }
  hostLog
  grep -q '^ended 0$' "$scratch/host.log" || fail "the program did not end by itself"
  [ "$(cat "$scratch/program/Horvane.ini")" = $'[Transformadores]\r\nTransformado=1\r' ] ||
    fail "Horvane.ini holds: $(od -c "$scratch/program/Horvane.ini")"
  log=$(tr -d '\r' <"$scratch/boxes.log")
  [ "$(sed -n 1,2p <<<"$log")" = $'none\nProceso finalizado' ] || fail "the first box was: $log"
  # What the probe read of each box it saw: the clean timetable's shows nothing more.
  if [ $soluc = clean ]; then
    grep -qv '^none$\|^Proceso finalizado$\|^no box$\|^--$\|^$' <<<"$log" &&
      fail "a clean export showed more than 'Proceso finalizado': $log"
    continue
  fi
  [ "$boxes" -ge 2 ] || fail "no second box after the example's export: $log"
done
echo "PASS"
