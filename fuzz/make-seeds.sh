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
  # The same rows as a dBase level-7 and a Visual FoxPro writer save them, whole numbers binary.
  python3 - "$soluc" "$seeds/foreign_soluc" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
header, length = struct.unpack_from('<HH', data, 8)
count = struct.unpack_from('<I', data, 4)[0]
fields, at = [], 32
while data[at] != 0x0D:
    fields.append((data[at:at + 11].split(b'\0')[0], chr(data[at + 11]), data[at + 16]))
    at += 32
rows = [data[header + i * length:header + (i + 1) * length] for i in range(count)]
for name, level7 in (('level7', True), ('visual-foxpro', False)):
    entries, out_rows = b'', [bytearray(r[:1]) for r in rows]
    offset = 1
    for field, kind, width in fields:
        binary = kind == 'N'
        entry = bytearray(48 if level7 else 32)
        entry[:len(field)] = field
        entry[32 if level7 else 11] = ord('I' if binary else kind)
        entry[33 if level7 else 16] = 4 if binary else width
        entries += bytes(entry)
        for row, out in zip(rows, out_rows):
            text = row[offset:offset + width]
            if binary:
                value = int(text.strip() or b'0')
                out += struct.pack('>I', (value & 0xFFFFFFFF) ^ 0x80000000) if level7 and text.strip() \
                    else bytes(4) if level7 else struct.pack('<i', value)
            else:
                out += text
        offset += width
    start = bytearray(68 if level7 else 32)
    start[0] = 0x04 if level7 else 0x30
    start[1:4] = data[1:4]
    after = b'\x0D' + (bytes(12) if level7 else bytes(263))
    struct.pack_into('<IHH', start, 4, count, len(start) + len(entries) + len(after),
                     1 + sum(4 if kind == 'N' else width for _, kind, width in fields))
    if level7:
        start[32:40] = b'DBWINUS0'
    with open(sys.argv[2] + '/' + name, 'wb') as f:
        f.write(bytes(start) + entries + after + b''.join(out_rows) + b'\x1A')
PY
fi

echo "Semillas: $(find "$seeds" -type f | wc -l) archivos en $seeds"
