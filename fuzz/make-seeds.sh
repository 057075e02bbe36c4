#!/usr/bin/env bash
# Builds the fuzzers' seed corpora in fuzz/seeds/<target>/ from the example school in examples/:
# every SICE file for the two readers, the whole folder (and the folder with each file missing
# in turn, or a folder in its place) for the import, SOLUC.DBF and cut-down copies of it for the
# export. Run again whenever examples/ changes.
set -euo pipefail
cd "$(dirname "$0")/.."
examples=examples/sice
seeds=fuzz/seeds
rm -rf "$seeds"
mkdir -p "$seeds"/{line_reading,whole_file,import_folder,foreign_soluc}

# The import's eight files, in the order the import harness expects them.
names=(sice_asignat.txt SICE_ACTIVIDADES.TXT sice_prof.txt sice_aulas.txt sice_grupo.txt
       sice_asignatgrupo.txt sice_asignatcurso.txt sice_sesiones.txt)
marker=$'\n@@END@@\n'

# The example file of that name, whatever its letter case; empty when there is none.
example_file() {
  find "$examples" -maxdepth 1 -type f -iname "$1" -print -quit 2>/dev/null
}

# Each SICE file, plus the line ends and bytes the readers treat specially.
for f in "$examples"/*; do
  [ -f "$f" ] || continue
  case "${f,,}" in *.txt) ;; *) continue ;; esac
  cp "$f" "$seeds/line_reading/"
  cp "$f" "$seeds/whole_file/"
done
printf '0SICE_PROF.TXT\r\n1AB  x\r\n\r\n  sice_prof.txt  \n9\x1Arest\n\x1Anever read\n' >"$seeds/line_reading/special"
printf 'one\rtwo\n\rthree\r\n\x1Afour\x00after nul\n' >"$seeds/whole_file/special"

# folder_seed NAME SKIP FOLDER: the eight files joined; file number SKIP missing, FOLDER a folder.
folder_seed() {
  local out=$seeds/import_folder/$1 i=0 f
  : >"$out"
  for name in "${names[@]}"; do
    f=$(example_file "$name")
    if [ "$i" = "$2" ] || [ -z "$f" ]; then
      printf '@@MISSING@@' >>"$out"
    elif [ "$i" = "$3" ]; then
      printf '@@FOLDER@@' >>"$out"
    else
      cat "$f" >>"$out"
    fi
    printf '%s' "$marker" >>"$out"
    i=$((i + 1))
  done
}
folder_seed complete - -
for i in 0 1 2 3 4 5 6 7; do
  folder_seed "missing-$i" "$i" -
  folder_seed "folder-$i" - "$i"
done

# SOLUC.DBF whole, its header alone and cut in the middle of its records.
if [ -f examples/SOLUC.DBF ]; then
  soluc=examples/SOLUC.DBF
  cp "$soluc" "$seeds/foreign_soluc/SOLUC.DBF"
  size=$(stat -c %s "$soluc")
  header=$(( $(od -An -tu2 -j8 -N2 "$soluc") ))
  head -c "$header" "$soluc" >"$seeds/foreign_soluc/header-only"
  head -c $(( header + (size - header) / 2 )) "$soluc" >"$seeds/foreign_soluc/cut"
fi

echo "Semillas: $(find "$seeds" -type f | wc -l) archivos en $seeds"
