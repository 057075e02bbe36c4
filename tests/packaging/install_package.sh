#!/usr/bin/env bash
# Builds the .deb from the finished build, has lintian check it, looks for what a desktop and
# man expect in it, unpacks it into a scratch root as dpkg would install it, and runs the
# installed command line on the example school: import, then export.
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

# Debian's own checks of a package: nothing to say, not even a warning.
# Its one notice to root is about who runs it, not about the package.
lintian_out=$(lintian "$deb" 2>&1) || { echo "lintian falló: $lintian_out"; exit 1; }
lintian_out=$(grep -vxF 'running with root privileges is not recommended!' <<<"$lintian_out" || true)
[ -z "$lintian_out" ] || { echo "lintian no está conforme:"; echo "$lintian_out"; exit 1; }

doc=$scratch/root/usr/share/doc/transtalvorsice
[ -s "$doc/copyright" ] || { echo "Falta el copyright"; exit 1; }
changelog_version=$(zcat "$doc/changelog.gz" | dpkg-parsechangelog -l - -S Version)
[ "$changelog_version" = "$(dpkg-deb --field "$deb" Version)" ] ||
  { echo "El changelog ($changelog_version) no es de esta versión"; exit 1; }
[ "$(dpkg-deb --field "$deb" Description | wc -l)" -gt 3 ] ||
  { echo "Descripción sin texto extendido"; exit 1; }

# The command line's page says what its --help says: every command and option with its text.
page=$scratch/root/usr/share/man/man1/transTalvorSice-cli.1.gz
# Compared as running text: one line, single spaces, no hyphenation or justification.
flat() { tr -s ' \n' '  '; }
shown=$(zcat "$page" | man --nh --nj -l -E UTF-8 - 2>/dev/null | sed 's/.\x08//g' | flat)
terms=0
while IFS= read -r line; do
  [[ $line =~ ^\ \ ([a-z-]+[^\ ]*(\ [A-Z]+)?)\ \ +(.*)$ ]] || continue
  terms=$((terms + 1))
  grep -qF -- "$(flat <<<"${BASH_REMATCH[1]} ${BASH_REMATCH[3]}")" <<<"$shown" ||
    { echo "La página de manual no dice: $line"; exit 1; }
done < <("$scratch/root/usr/bin/transTalvorSice-cli" --help)
[ $terms -ge 7 ] || { echo "Sólo $terms órdenes y opciones en --help"; exit 1; }

programs=$scratch/root/usr/lib/transTalvorSice
for f in transTalvorSice-cli SICE.chm; do
  [ -e "$programs/$f" ] || { echo "Falta $f en el paquete"; exit 1; }
done
if [ -e "$scratch/root/usr/bin/transTalvorSice" ]; then
  [ -e "$programs/transTalvorSice" ] || { echo "Enlace sin ventana"; exit 1; }
  # The window in the desktops' menus, with its page and its icon in every size.
  [ -s "$scratch/root/usr/share/man/man1/transTalvorSice.1.gz" ] ||
    { echo "La ventana no tiene página de manual"; exit 1; }
  entry=$scratch/root/usr/share/applications/transTalvorSice.desktop
  for field in 'Name=transTalvorSice' 'Comment=Exportar e importar datos entre Horvane y SICE' \
               'Exec=transTalvorSice' 'Icon=transTalvorSice' 'Categories=Education;'; do
    grep -qxF "$field" "$entry" || { echo "La entrada del menú no tiene $field"; exit 1; }
  done
  icons=$scratch/root/usr/share/icons/hicolor
  for size in 16 32 48 256; do
    # Width and height of the PNG, big-endian in its header.
    [ "$(od -An -tu4 --endian=big -j16 -N8 "$icons/${size}x$size/apps/transTalvorSice.png" |
         tr -s ' ')" = " $size $size" ] || { echo "Falta el icono de $size píxeles"; exit 1; }
  done
  grep -q '<svg' "$icons/scalable/apps/transTalvorSice.svg" || { echo "Falta el icono SVG"; exit 1; }
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
