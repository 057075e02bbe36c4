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
# Whole outputs into grep: with pipefail, grep -q leaving early kills the writer with SIGPIPE.
grep -q "Package: transtalvorsice" <<<"$(dpkg-deb --info "$deb")"
# Shared libraries of the programs must be declared, or the package installs and cannot start.
grep -q "libc6" <<<"$(dpkg-deb --field "$deb" Depends)" || { echo "Depends sin libc6"; exit 1; }
dpkg-deb -x "$deb" "$scratch/root"

programs=$scratch/root/usr/lib/transTalvorSice
for f in transTalvorSice-cli SICE.chm; do
  [ -e "$programs/$f" ] || { echo "Falta $f en el paquete"; exit 1; }
done
if [ -e "$scratch/root/usr/bin/transTalvorSice" ]; then
  [ -e "$programs/transTalvorSice" ] || { echo "Enlace sin ventana"; exit 1; }
fi

cli=$scratch/root/usr/bin/transTalvorSice-cli
mkdir "$scratch/sice" "$scratch/work"
cp "$source"/examples/sice/* "$scratch/sice/"
"$cli" import --sice "$scratch/sice" --work "$scratch/work" >"$scratch/import.out"
for t in ASIGNOMT PROFT AULAT GRUPOST ASIGT DIASHORAST; do
  [ -s "$scratch/work/$t.DBF" ] || { echo "La importación no creó $t.DBF"; exit 1; }
done
cp "$source/examples/SOLUC.DBF" "$scratch/work/"
"$cli" export --sice "$scratch/sice" --work "$scratch/work" >"$scratch/export.out"
# The header and trailer lines carry the time of the run; every lesson line must be the same.
lessons() { sed '1d;$d' "$1"; }
cmp <(lessons "$scratch/sice/SICE_HORARIO.TXT") \
    <(lessons "$source/tests/export/data/example-SICE_HORARIO.TXT") ||
  { echo "SICE_HORARIO.TXT difiere del esperado"; exit 1; }
echo "Paquete $(basename "$deb") instalado y probado"
