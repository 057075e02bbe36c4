#!/usr/bin/env bash
# The Linux and the Windows build in one work folder, the Windows one under Wine: while one
# holds the folder the other stops with "Otra transformación …" and changes nothing, neither
# removes a temporary file that the other holds, and jobs of both started together never mix.
# The holders are each build's own base test program, which holds a file as that build holds
# its files without sharing (tests/support/FileHolder.cpp).
#
#   both_builds_exclude.sh LINUX_CLI LINUX_TESTS_BASE WINDOWS_CLI WINDOWS_TESTS_BASE EXAMPLES WINE
# Exit 77 (skipped) when the Linux build is not there.
set -uo pipefail
linux_cli=$1 linux_holder=$2 windows_cli=$3 windows_holder=$4 examples=$5 wine=$6
[ -x "$linux_cli" ] && [ -x "$linux_holder" ] || { echo "Falta la compilación de Linux"; exit 77; }

place=$(mktemp -d)
holder_pid=
trap '[ -n "$holder_pid" ] && kill "$holder_pid" 2>/dev/null; rm -rf "$place"' EXIT
cp -r "$examples/sice" "$place/sice"
work=$place/work
mkdir "$work"
lock=$work/.~transTalvorSice.lock
status=0
fail() { echo "FALLO: $*"; status=1; }

hold() { # system file: that build holds the file until release
  local system=$1 file=$2
  if [ "$system" = linux ]; then
    TTS_HOLD_FILE=$file TTS_HOLD_MODE=exclusive "$linux_holder" &
  else
    TTS_HOLD_FILE=$(winepath -w "$file") TTS_HOLD_MODE=exclusive "$wine" "$windows_holder" &
  fi
  holder_pid=$!
  for _ in $(seq 500); do [ -e "$file.ready" ] && return 0; sleep 0.02; done
  fail "$system no llega a tener $file"
}
release() { # file
  touch "$1.release"
  wait "$holder_pid"
  holder_pid=
  rm -f "$1.ready" "$1.release"
}
import() { # system: the import's exit status; its standard error in $place/err
  if [ "$1" = linux ]; then
    "$linux_cli" import --sice "$place/sice" --work "$work" >/dev/null 2>"$place/err"
  else
    "$wine" "$windows_cli" import --sice "$(winepath -w "$place/sice")" \
      --work "$(winepath -w "$work")" >/dev/null 2>"$place/err"
  fi
}
tables() { ls "$work" | grep -c '\.DBF$'; }
other() { [ "$1" = linux ] && echo windows || echo linux; }

for holding in linux windows; do
  running=$(other "$holding")
  # One build holds the work folder: the other stops and makes no table.
  touch "$lock"
  hold "$holding" "$lock"
  import "$running"; code=$?
  [ "$code" = 2 ] || fail "$running con la carpeta tomada por $holding: estado $code"
  grep -q "Otra transformaci" "$place/err" || fail "$running no dice que la carpeta está en uso: $(cat "$place/err")"
  [ "$(tables)" = 0 ] || fail "$running hizo tablas con la carpeta tomada por $holding"
  release "$lock"
  rm -f "$lock"

  # One build writes a temporary file: the other's job, which clears leftovers, leaves it.
  temporary=$work/.~ASIGT.DBF.tmp-1-0
  echo vivo > "$temporary"
  hold "$holding" "$temporary"
  import "$running"; code=$?
  [ "$code" = 0 ] || fail "$running junto a un temporal de $holding: estado $code: $(cat "$place/err")"
  [ -e "$temporary" ] || fail "$running borró el temporal vivo de $holding"
  release "$temporary"
  import "$running"
  [ -e "$temporary" ] && fail "$running no borró el temporal que ya nadie tiene"
  rm -f "$work"/*.DBF
done

# Both at once, a few times: while a Windows import runs, Linux imports follow each other into
# the same folder. Each job ends done or "in use", never with another error, and the folder
# holds the six tables and nothing else. (How many met "in use" is printed: it shows they met.)
busy=0
for round in 1 2 3; do
  "$wine" "$windows_cli" import --sice "$(winepath -w "$place/sice")" \
    --work "$(winepath -w "$work")" >/dev/null 2>"$place/err-windows" & windows_pid=$!
  while kill -0 "$windows_pid" 2>/dev/null; do
    import linux; code=$?
    if [ "$code" = 2 ] && grep -q "Otra transformaci" "$place/err"; then
      busy=$((busy + 1))
    elif [ "$code" != 0 ]; then
      fail "ronda $round: linux terminó con $code: $(cat "$place/err")"
    fi
  done
  wait "$windows_pid"; code=$?
  if [ "$code" = 2 ] && grep -q "Otra transformaci" "$place/err-windows"; then
    busy=$((busy + 1))
  elif [ "$code" != 0 ]; then
    fail "ronda $round: windows terminó con $code: $(cat "$place/err-windows")"
  fi
  [ "$(tables)" = 6 ] || fail "ronda $round: $(tables) tablas"
  leftovers=$(ls -A "$work" | grep -v '\.DBF$' || true)
  [ -z "$leftovers" ] || fail "ronda $round: quedan $leftovers"
done
echo "Trabajos que encontraron la carpeta en uso: $busy"
exit $status
