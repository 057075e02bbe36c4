#!/usr/bin/env bash
# Builds the .deb from the finished build, unpacks it into a scratch root as dpkg would install
# it, and runs the installed command line on the example school: import, then export.
# Usage: install_package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >/dev/null)
deb=$(ls "$scratch"/out/*.deb)
# Fields read whole first: grep -q would close the pipe early and pipefail count it a failure.
[ "$(dpkg-deb --field "$deb" Package)" = transtalvorsice ] || { echo "Paquete mal nombrado"; exit 1; }
# Shared libraries of the programs must be declared, or the package installs and cannot start.
depends=$(dpkg-deb --field "$deb" Depends)
[[ $depends == *libc6* ]] || { echo "Depends sin libc6: $depends"; exit 1; }
dpkg-deb -x "$deb" "$scratch/root"

programs=$scratch/root/usr/lib/transTalvorSice
for f in transTalvorSice-cli SICE.chm; do
  [ -e "$programs/$f" ] || { echo "Falta $f en el paquete"; exit 1; }
done
if [ -e "$scratch/root/usr/bin/transTalvorSice" ]; then
  [ -e "$programs/transTalvorSice" ] || { echo "Enlace sin ventana"; exit 1; }
fi

# Import then export on a copy of the example school, with the installed command line $1; every
# lesson line of the SICE_HORARIO.TXT written must be the expected one.
run_example() {
  local cli=$1 run
  run=$(mktemp -d -p "$scratch")
  mkdir "$run/sice" "$run/work"
  cp "$source"/examples/sice/* "$run/sice/"
  "$cli" import --sice "$run/sice" --work "$run/work" >"$run/import.out"
  for t in ASIGNOMT PROFT AULAT GRUPOST ASIGT DIASHORAST; do
    [ -s "$run/work/$t.DBF" ] || { echo "La importación no creó $t.DBF ($cli)"; exit 1; }
  done
  cp "$source/examples/SOLUC.DBF" "$run/work/"
  "$cli" export --sice "$run/sice" --work "$run/work" >"$run/export.out"
  # The header and trailer lines carry the time of the run; every lesson line must be the same.
  lessons() { sed '1d;$d' "$1"; }
  cmp <(lessons "$run/sice/SICE_HORARIO.TXT") \
      <(lessons "$source/tests/export/data/example-SICE_HORARIO.TXT") ||
    { echo "SICE_HORARIO.TXT difiere del esperado ($cli)"; exit 1; }
}

run_example "$scratch/root/usr/bin/transTalvorSice-cli"
echo "Paquete $(basename "$deb") instalado y probado"

# The same tree from cmake --install under a prefix of its own.
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
for f in transTalvorSice-cli SICE.chm; do
  [ -e "$scratch/prefix/lib/transTalvorSice/$f" ] || { echo "cmake --install no instaló $f"; exit 1; }
done
run_example "$scratch/prefix/bin/transTalvorSice-cli"
echo "cmake --install en $scratch/prefix probado"
