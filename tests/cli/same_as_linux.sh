#!/usr/bin/env bash
# The Windows command line, run under Wine, against the Linux one on the bundled example school:
# the six tables and SICE_HORARIO.TXT must be the same bytes. Only what says when they were made
# may differ: the date of the last change in each table's header (bytes 2-4) and the time stamp
# of SICE_HORARIO.TXT's first and last lines (columns 60-71). Everything lies in a folder named
# with letters that the Windows code page lacks, given to Wine as a user types it.
#
#   same_as_linux.sh LINUX_CLI WINDOWS_CLI EXAMPLES_FOLDER WINE
# Exit 77 (skipped) when the Linux command line has not been built.
set -euo pipefail
linux_cli=$1 windows_cli=$2 examples=$3 wine=$4
[ -x "$linux_cli" ] || { echo "No está el programa de Linux: $linux_cli"; exit 77; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
place="$root/Datos Łódź"
for system in linux windows; do
  mkdir -p "$place/$system/work"
  cp -r "$examples/sice" "$place/$system/sice"
done

run() { # system command
  local system=$1 command=$2 sice=$place/$1/sice work=$place/$1/work
  if [ "$system" = linux ]; then
    "$linux_cli" "$command" --sice "$sice" --work "$work" >/dev/null
  else
    "$wine" "$windows_cli" "$command" --sice "$(winepath -w "$sice")" --work "$(winepath -w "$work")" \
      >/dev/null
  fi
}

tables=(ASIGNOMT PROFT AULAT GRUPOST ASIGT DIASHORAST)
status=0
for system in linux windows; do
  run "$system" import
  cp "$examples/SOLUC.DBF" "$place/$system/work/"
  run "$system" export
done

without_date() { # a table without the date of its last change
  head -c 1 "$1"; printf 'YMD'; tail -c +5 "$1"
}
for table in "${tables[@]}"; do
  if ! cmp <(without_date "$place/linux/work/$table.DBF") <(without_date "$place/windows/work/$table.DBF"); then
    echo "$table.DBF difiere entre Linux y Windows"
    status=1
  fi
done

without_time_stamps() {
  sed -E '1s/^(.{59}).{12}/\1HHHHHHHHHHHH/; $s/^(.{59}).{12}/\1HHHHHHHHHHHH/' "$1"
}
if ! cmp <(without_time_stamps "$place/linux/sice/SICE_HORARIO.TXT") \
         <(without_time_stamps "$place/windows/sice/SICE_HORARIO.TXT"); then
  echo "SICE_HORARIO.TXT difiere entre Linux y Windows"
  status=1
fi
if ! run windows check; then
  echo "check no pasa en $(winepath -w "$place/windows/sice")"
  status=1
fi
lines=$(wc -l < "$place/windows/sice/SICE_HORARIO.TXT")
[ "$lines" -gt 2 ] || { echo "SICE_HORARIO.TXT de Windows sin horario ($lines líneas)"; status=1; }
exit $status
