#!/usr/bin/env bash
# The Windows window under Wine, in an X server of its own (run under xvfb-run): started by a
# user, checked for its size, caption and fixed frame, its import pressed with the mouse; then
# started by a stand-in host with a job word and the host window's handle, checked for its
# place inside the host, pressed again, and its hand-off read back. The SICE and work folders lie
# in a folder named with letters that the Windows code page lacks. Screenshots go to
# $TTS_SCREENSHOT when that is set.
#
#   WineWindowTest.sh <transTalvorSice.exe> <EmbeddingHost.exe> <examples/sice folder>
set -euo pipefail

program=$1
host=$2
examples=$3
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

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

# Presses Return on every box of the program until `pid` has ended or `seconds` have passed;
# prints how many boxes it confirmed.
confirm_boxes() {
  local pid=$1 seconds=$2 confirmed=0
  for ((i = 0; i < seconds * 5; i++)); do
    for box in $(xdotool search --onlyvisible --name '^transTalvorSice$' 2>/dev/null || true); do
      xdotool windowfocus --sync "$box" key Return 2>/dev/null && confirmed=$((confirmed + 1))
    done
    if [ -n "$pid" ] && ! kill -0 "$pid" 2>/dev/null; then break; fi
    [ -z "$pid" ] && [ $confirmed -gt 0 ] && break
    sleep 0.2
  done
  echo $confirmed
}

echo "== standalone"
(cd "$sice_dir" && exec wine "$exe") &
pids+=($!)
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Exportar e importar datos entre Horvane y SICE$' | head -1)
[ -n "$window" ] || fail "no window"
sleep 1
geometry=$(xwininfo -id "$window")
grep -q 'Width: 599' <<<"$geometry" && grep -q 'Height: 270' <<<"$geometry" ||
  fail "client area is not 599 x 270: $geometry"
hints=$(xprop -id "$window" WM_NORMAL_HINTS _MOTIF_WM_HINTS)
grep -q 'minimum size: 599 by 270' <<<"$hints" && grep -q 'maximum size: 599 by 270' <<<"$hints" ||
  fail "the frame is not of fixed size: $hints"
# Motif hints: functions move and close only (0x24); decorations border, title and menu, no
# minimise or maximise box and no resize handles (0x1a).
grep -q '= 0x3, 0x24, 0x1a,' <<<"$hints" || fail "not a fixed dialog frame with a close box: $hints"
if [ -n "${TTS_SCREENSHOT:-}" ]; then import -window "$window" "$TTS_SCREENSHOT"; fi

eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 88 + 44)) $((Y + 72 + 12)) click 1 # BExportar
[ "$(confirm_boxes "" 60)" -ge 1 ] || fail "no 'Proceso finalizado' after the import"
for table in "${tables[@]}"; do
  [ -f "$work_dir/$table.DBF" ] || fail "the import did not write $table.DBF"
done
xdotool mousemove $((X + 385 + 44)) $((Y + 101 + 105 + 12)) click 1 # BClose
for ((i = 0; i < 50; i++)); do
  xdotool search --name '^Exportar e importar' >/dev/null 2>&1 || break
  sleep 0.2
done
xdotool search --name '^Exportar e importar' >/dev/null 2>&1 && fail "Salir did not close the window"
[ ! -e "$scratch/program/Horvane.ini" ] || fail "standalone wrote Horvane.ini"
wineserver -w

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
[ "$(confirm_boxes $hostPid 60)" -ge 1 ] || fail "no 'Proceso finalizado' after the embedded import"
wait $hostPid || { hostLog; fail "the host reports a failure: $(cat "$scratch/host.log")"; }
hostLog
grep -q '^ended 0$' "$scratch/host.log" || fail "the program did not end by itself"
[ "$(cat "$scratch/program/Horvane.ini")" = $'[Transformadores]\r\nTransformado=1\r' ] ||
  fail "Horvane.ini holds: $(od -c "$scratch/program/Horvane.ini")"
for table in "${tables[@]}"; do
  [ -f "$work_dir/$table.DBF" ] || fail "the embedded import did not write $table.DBF"
done
echo "PASS"
