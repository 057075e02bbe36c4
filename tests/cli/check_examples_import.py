#!/usr/bin/python3
"""End to end: the command-line import of a SICE folder, every work table read back with dbfread
(a dBase reader that shares nothing with the program), compared with the expected tables: the
columns with their types and widths in order, and every row.

Usage: check_examples_import.py CLI SICE_FOLDER EXPECTED_JSON [--write]
--write stores what the import gave as the expected file, to be reviewed by hand."""

import json
import os
import subprocess
import sys
import tempfile

try:
    from dbfread import DBF
except ImportError:  # python3-dbfread is a Debian package of the system's Python
    print("dbfread is not installed (scripts/setup.sh installs python3-dbfread)")
    sys.exit(1)

TABLES = ["ASIGNOMT", "PROFT", "AULAT", "GRUPOST", "ASIGT", "DIASHORAST"]

# Text columns are exact; number columns only need to be numbers, booleans logical.
SCHEMA = {
    "ASIGNOMT": [("COD", "C", 10), ("CODLARGO", "C", 10), ("NOMBRE", "C", 80), ("ESTAREA", "L", None),
                 ("CODTAREA", "C", 10)],
    "PROFT": [("ABREV", "C", 10), ("NOMBRE", "C", 80), ("DEPART", "C", 40), ("DNI", "N", None)],
    "AULAT": [("ABREV", "C", 10), ("NOMBRE", "C", 80), ("EDIFICIO", "C", 1), ("MAXALUM", "N", None),
              ("ABREVCORTA", "C", 4)],
    "GRUPOST": [("ABREV", "C", 10), ("TURNO", "C", 1), ("NIVEL", "C", 5), ("CURSO", "C", 3),
                ("GRUPO", "C", 2), ("UNIDAD", "C", 10), ("DESCRIP", "C", 80), ("ABREVCORTA", "C", 4)],
    "ASIGT": [("CASIG", "C", 10), ("CPROF", "C", 10), ("CGRUP", "C", 10), ("CAULA", "C", 10),
              ("CTAREA", "C", 10), ("TURNO", "C", 1), ("NIVEL", "C", 5), ("CURSO", "C", 3),
              ("GRUPO", "C", 2), ("HORAS", "N", None), ("SESIONES", "C", 20), ("NCONEX", "C", 4)],
    "DIASHORAST": [("DIHO", "C", 10), ("CODDIHO", "C", 10), ("DIA", "C", 20), ("TEXTODIA", "C", 20),
                   ("HORA", "C", 8), ("HORADESDE", "C", 8), ("HORAHASTA", "C", 8), ("MINUTOS", "C", 8)],
}


def schema_problems(name, table):
    problems = []
    fields = [(f.name, f.type, f.length) for f in table.fields]
    expected = SCHEMA[name]
    if [f[0] for f in fields] != [e[0] for e in expected]:
        return [f"{name}: columns {[f[0] for f in fields]}"]
    for (column, kind, length), (_, want_kind, want_length) in zip(fields, expected):
        if want_kind == "N" and kind not in "NF":
            problems.append(f"{name}.{column}: type {kind}, a number was expected")
        elif want_kind != "N" and kind != want_kind:
            problems.append(f"{name}.{column}: type {kind}, {want_kind} was expected")
        if want_length is not None and length != want_length:
            problems.append(f"{name}.{column}: width {length}, {want_length} was expected")
    return problems


def rows_of(path):
    table = DBF(path, encoding="cp1252", char_decode_errors="strict")
    rows = []
    for record in table:
        row = {}
        for key, value in record.items():
            if isinstance(value, str):
                value = value.rstrip(" ")
            row[key] = value
        rows.append(row)
    return table, rows


def main():
    cli, sice, expected_path = sys.argv[1:4]
    write = "--write" in sys.argv[4:]
    with tempfile.TemporaryDirectory() as work:
        run = subprocess.run([cli, "import", "--sice", sice, "--work", work], capture_output=True,
                             stdin=subprocess.DEVNULL)
        if run.returncode != 0:
            sys.exit(f"import ended with {run.returncode}: {run.stderr.decode()}")
        got = {}
        problems = []
        for name in TABLES:
            table, rows = rows_of(os.path.join(work, name + ".DBF"))
            problems += schema_problems(name, table)
            got[name] = rows
        leftovers = sorted(set(os.listdir(work)) - {n + ".DBF" for n in TABLES})
        if leftovers:
            problems.append(f"files left in the work folder: {leftovers}")
    if write:
        with open(expected_path, "w", encoding="utf-8") as out:
            json.dump(got, out, ensure_ascii=False, indent=1)
            out.write("\n")
    else:
        with open(expected_path, encoding="utf-8") as source:
            expected = json.load(source)
        for name in TABLES:
            want, have = expected[name], got[name]
            if len(want) != len(have):
                problems.append(f"{name}: {len(have)} rows, {len(want)} expected")
            for i, (w, h) in enumerate(zip(want, have)):
                if w != h:
                    problems.append(f"{name} row {i + 1}: {h} instead of {w}")
    for problem in problems:
        print(problem)
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
