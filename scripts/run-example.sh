#!/usr/bin/env bash
# Sets everything up and runs the main job on the bundled example school: the import of
# examples/sice into a temporary work folder, then the export of the timetable back to SICE.
# With a display, `scripts/run-example.sh --window` then also opens the window on that folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
work=$(mktemp -d)
sice=$(mktemp -d)
cp examples/sice/* "$sice"/
echo "Carpeta SICE: $sice"
echo "Carpeta de trabajo: $work"
if [ -x build/cli/transTalvorSice-cli ]; then
  build/cli/transTalvorSice-cli import --sice "$sice" --work "$work"
  if [ -f examples/SOLUC.DBF ]; then
    cp examples/SOLUC.DBF "$work"/
    build/cli/transTalvorSice-cli export --sice "$sice" --work "$work"
    echo "--- Primeras líneas de SICE_HORARIO.TXT ---"
    head -n 8 "$sice"/SICE_HORARIO.TXT | iconv -f WINDOWS-1252 -t UTF-8
  fi
fi
if [ -n "${DISPLAY:-}" ] && [ "${1:-}" = "--window" ]; then
  echo "Abriendo la ventana (carpeta de trabajo $work)"
  (cd "$sice" && HTEMP="$work" "$OLDPWD"/build/app/transTalvorSice)
elif [ -x build/app/transTalvorSice ]; then
  echo "Para abrir la ventana sobre esta carpeta de trabajo: HTEMP=$work build/app/transTalvorSice"
fi
