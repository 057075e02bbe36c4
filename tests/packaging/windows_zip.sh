#!/usr/bin/env bash
# Packs the Windows zip from the finished Windows build and checks what a school's IT person
# sees of it: the four files at its top, the read-me in Notepad's code page and line ends
# saying what it must, and in both programs the icon and the Spanish version information that
# Explorer shows in their properties. Both programs are 32-bit x86 without an elevation request:
# they start on 32-bit Windows, and Windows shows them the folder as it shows it to the host.
# Usage: windows_zip.sh BUILD_DIR VERSION COPYRIGHT
set -euo pipefail
build=$1
version=$2
copyright=$3
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -G ZIP -B "$scratch/out" >/dev/null)
zip=$(ls "$scratch"/out/*.zip)
listing=$(unzip -Z1 "$zip" | sort)
expected=$(printf '%s\n' LEEME.txt SICE.chm transTalvorSice-cli.exe transTalvorSice.exe)
[ "$listing" = "$expected" ] || fail "the zip holds: $listing"
unzip -q "$zip" -d "$scratch/files"
cd "$scratch/files"

# The read-me: Windows-1252 with CR LF throughout, and what it must tell.
python3 - LEEME.txt <<'PY' || fail "LEEME.txt is not Windows-1252 text with CR LF"
import sys
data = open(sys.argv[1], "rb").read()
text = data.decode("cp1252")
assert "\n" not in data.replace(b"\r\n", b"").decode("cp1252"), "a line ends without CR"
assert "\r" not in data.replace(b"\r\n", b"").decode("cp1252"), "a CR without LF"
assert "QUÉ HAY EN ESTE ZIP".encode("cp1252") in data, "accents not in Windows-1252"
PY
leeme=$(iconv -f CP1252 -t UTF-8 LEEME.txt | tr -d '\r')
for said in "transTalvorSice $version" transTalvorSice.exe transTalvorSice-cli.exe SICE.chm \
            'Horvane.ini' 'transTalvorSice.exe exportar 4A0012' '"importar"' \
            'transTalvorSice-cli import --sice' 'transTalvorSice-cli export --sice' \
            'transTalvorSice-cli check --sice' 'C:\HTEMP'; do
  grep -qF -- "$said" <<<"$leeme" || fail "LEEME.txt does not say $said"
done

for program in transTalvorSice transTalvorSice-cli; do
  exe=$program.exe
  # The machine field of the PE header, found through the offset at 0x3C of the DOS header.
  machine=$(python3 - "$exe" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read(4096)
(pe,) = struct.unpack_from("<I", data, 0x3C)
assert data[:2] == b"MZ" and data[pe:pe + 4] == b"PE\0\0", "not a PE file"
(machine,) = struct.unpack_from("<H", data, pe + 4)
(magic,) = struct.unpack_from("<H", data, pe + 24)
print(f"{machine:#06x} {magic:#05x}")
PY
) || fail "$exe is not a Windows program"
  # 0x014c Intel 80386 with the PE32 optional header (0x10b), not PE32+.
  [ "$machine" = "0x014c 0x10b" ] || fail "$exe is not a 32-bit x86 program: $machine"
  # No manifest that asks for an execution level: even asInvoker turns off the file
  # virtualization through which the host sees Horvane.ini.
  if wrestool -l -t24 "$exe" | grep -q .; then
    ! wrestool -x -t24 "$exe" | grep -qi requestedExecutionLevel ||
      fail "$exe asks for an execution level in its manifest"
  fi
  # The program's icon, the first of the file, with the sizes Explorer and the title bar use.
  wrestool -x -t14 "$exe" >"$program.ico" || fail "$exe has no icon"
  sizes=$(icotool -l "$program.ico" | sed -n 's/.*--width=\([0-9]*\) --height=\1 .*/\1/p' | sort -n | tr '\n' ' ')
  for size in 16 32 48; do
    [[ " $sizes" == *" $size "* ]] || fail "$exe has no $size-pixel icon (sizes: $sizes)"
  done
  [ "$(wrestool -l -t14 "$exe" | head -1 | sed 's/.*--name=\([^ ]*\).*/\1/')" = 1 ] ||
    fail "$exe: the icon is not number 1, the one the window loads"

  [[ $(wrestool -l -t16 "$exe") == *--language=3082* ]] ||
    fail "$exe: the version information is not in Spanish (Spain)"
  info=$(wrestool -x -t16 --raw "$exe" | python3 "$here/version_info.py") ||
    fail "$exe has no version information"
  description="Exportar e importar datos entre Horvane y SICE"
  [ "$program" = transTalvorSice-cli ] && description+=" (línea de órdenes)"
  four=$(IFS=.; parts=($version 0 0 0); echo "${parts[*]:0:4}")
  expected_info=$(cat <<INFO
FILEVERSION $four
PRODUCTVERSION $four
0C0A04E4/FileDescription=$description
0C0A04E4/FileVersion=$version
0C0A04E4/InternalName=$program
0C0A04E4/LegalCopyright=Copyright © $copyright
0C0A04E4/OriginalFilename=$exe
0C0A04E4/ProductName=transTalvorSice
0C0A04E4/ProductVersion=$version
Translation=0C0A 1252
INFO
)
  [ "$info" = "$expected_info" ] || fail "$exe version information:
$info
expected:
$expected_info"
done
echo "zip, LEEME.txt, icons and version information checked"
