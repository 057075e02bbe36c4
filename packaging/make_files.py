#!/usr/bin/env python3
"""Files of the packages made at build time.

  make_files.py gzip IN OUT
      IN compressed as Debian wants it: best compression, no name and no time stamp inside.
  make_files.py windows-text IN OUT
      IN (UTF-8, LF) as Windows-1252 with CR LF, the read-me of the Windows zip.
  make_files.py cli-manual PROGRAM VERSION OUT
      The manual page of the command line, written from its own --help, gzipped.
"""

import gzip
import re
import subprocess
import sys


def write_gzip(data, out):
    with open(out, "wb") as raw, gzip.GzipFile(filename="", mode="wb", compresslevel=9,
                                                 fileobj=raw, mtime=0) as packed:
        packed.write(data)


def windows_text(source, out):
    with open(source, encoding="utf-8") as f:
        text = f.read()
    # A letter outside Windows-1252 stops the build rather than turning into "?".
    data = text.replace("\r\n", "\n").replace("\n", "\r\n").encode("cp1252")
    with open(out, "wb") as f:
        f.write(data)


def roff(text):
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return "\\&" + text if text[:1] in (".", "'") else text


def cli_manual(program, version, out):
    usage = subprocess.run([program, "--help"], check=True, capture_output=True,
                           text=True, encoding="utf-8").stdout
    paragraphs = [p.splitlines() for p in usage.strip("\n").split("\n\n")]
    synopsis = paragraphs.pop(0)[0].split(":", 1)[1].strip()
    name = synopsis.split()[0]
    page = [f'.TH {roff(name.upper())} 1 "" "transTalvorSice {version}" "Órdenes de usuario"',
            ".nh",  # Spanish text: no English hyphenation
            ".SH NOMBRE",
            f"{roff(name)} \\- intercambio de horarios entre SICE y Horvane desde la terminal",
            ".SH SINOPSIS",
            ".B " + roff(synopsis),
            ".SH DESCRIPCIÓN",
            f".B {roff(name)}",
            "hace desde una terminal los trabajos de la ventana de",
            ".BR transTalvorSice (1),",
            "y además revisa una carpeta de SICE sin escribir nada.",
            "Lo que sigue es su ayuda, la misma que muestra",
            f".BR \"{roff(name)} \\-\\-help\" ."]
    item = re.compile(r"^  (\S.*?)\s{2,}(\S.*)$")
    for lines in paragraphs:
        # "Heading:" over lines of "  term   text" is a list; anything else is running text,
        # with a new paragraph where a sentence ends at the end of a line.
        if lines[0].endswith(":") and len(lines) > 1 and item.match(lines[1]):
            page.append(".SS " + roff(lines[0][:-1]))
            for line in lines[1:]:
                found = item.match(line)
                if found:
                    page += [".TP", ".B " + roff(found.group(1)), roff(found.group(2))]
                else:
                    page.append(roff(line.strip()))
            continue
        page.append(".PP")
        for before, line in zip([""] + lines, lines):
            if before.endswith(".") and not line.startswith(" "):
                page.append(".PP")
            page.append(roff(line.strip()))
    page += [".SH VÉASE TAMBIÉN", ".BR transTalvorSice (1)"]
    write_gzip(("\n".join(page) + "\n").encode("utf-8"), out)


def main():
    command, args = sys.argv[1], sys.argv[2:]
    if command == "gzip":
        with open(args[0], "rb") as f:
            write_gzip(f.read(), args[1])
    elif command == "windows-text":
        windows_text(*args)
    elif command == "cli-manual":
        cli_manual(*args)
    else:
        sys.exit(f"make_files.py: unknown command {command}")


if __name__ == "__main__":
    main()
