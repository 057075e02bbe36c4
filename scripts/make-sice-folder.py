#!/usr/bin/env python3
"""Writes a synthetic SICE folder for the import: every file the import reads, in Windows-1252
with CR LF line ends, framed by header, header-name and trailer lines as SICE writes them.

--schools scales it: 1 is one secondary school (about 600 data lines), 100 a district.
Codes are distinct per school, so the tables grow with the input; a few repeated codes and
course lines are mixed in so that every rule of the import is exercised."""

import argparse
import os

DIGITS = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"
LEVELS = [("ESO", 4), ("BAC", 2)]
LETTERS = "ABCD"
SUBJECTS_PER_GROUP = 12
HOURS = ["3", "2,5", "4", "1.5", "2", "5", "", "14"]


def code(number, width):
    text = ""
    for _ in range(width):
        text = DIGITS[number % 36] + text
        number //= 36
    return text


def at(*pairs):
    line = ""
    for column, value in pairs:
        if len(line) < column - 1:
            line += " " * (column - 1 - len(line))
        line = line[: column - 1] + value + line[column - 1 + len(value):]
    return line


def write(folder, name, upper, data):
    header = at((1, "0"), (2, upper), (52, "SINTETIC"), (60, "010920240800"))
    trailer = at((1, "9"), (2, upper), (52, "SINTETIC"), (60, "010920240800"), (72, str(len(data))))
    lines = [header, at((2, upper))] + data + [trailer]
    with open(os.path.join(folder, name), "wb") as out:
        for line in lines:
            out.write(line.encode("cp1252") + b"\r\n")
    return len(lines)


def school(s):
    subjects = [code(s * 100 + i, 4) for i in range(60)]
    files = {k: [] for k in ("asignat", "actividades", "prof", "aulas", "grupo", "asignatgrupo",
                             "asignatcurso", "sesiones")}
    for i, subject in enumerate(subjects):
        files["asignat"].append(at((2, subject), (6, f"ASIGNATURA {s}-{i}"),
                                   (26, f"Asignatura n\u00famero {i} del centro {s}, con un nombre largo")))
    files["asignat"].append(at((2, subjects[0].lower()), (6, "REPETIDA")))
    for i in range(15):
        files["actividades"].append(at((2, code(s * 100 + i, 4)), (6, f"Actividad {i} del centro {s}"),
                                       (66, code(i, 3))))
    for i in range(70):
        files["prof"].append(at((2, code(s * 100 + i, 4)), (6, f"Profesor\u00eda {i}, Mar\u00eda {s}"),
                                (96, f"Departamento {i % 12}")))
    for i in range(40):
        files["aulas"].append(at((2, f"{s:05d}A{i:02d}"), (12, code(i, 4)), (86, f"Aula {i} del centro {s}")))
    g = 0
    for level, courses in LEVELS:
        for course in range(1, courses + 1):
            for letter in LETTERS:
                unit = f"{s:05d}{course}{level[0]}{letter}"
                files["grupo"].append(at((2, unit), (12, code(g, 4)), (16, level), (22, str(course)),
                                         (25, f"{level} {course}{letter}"), (35, "M" if g % 3 else "T")))
                for k in range(SUBJECTS_PER_GROUP):
                    files["asignatgrupo"].append(at((2, unit), (16, subjects[(g + k) % 60])))
                g += 1
            for k in range(SUBJECTS_PER_GROUP + 2):
                files["asignatcurso"].append(at((2, level), (8, str(course)), (11, "curso"),
                                                (24, subjects[k]), (28, HOURS[k % len(HOURS)])))
    for day in "LMXJV":
        for period in range(6):
            minutes = 8 * 60 + period * 55 + (s % 12) * 5
            start = f"{minutes // 60:02d}{minutes % 60:02d}"
            end_minutes = minutes + 50
            end = f"{end_minutes // 60:02d}{end_minutes % 60:02d}"
            files["sesiones"].append(at((2, "SES"), (5, code(s * 30 + len(files["sesiones"]), 4)),
                                        (9, day), (10, start), (14, end)))
    return files


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("folder")
    parser.add_argument("--schools", type=int, default=1)
    args = parser.parse_args()
    os.makedirs(args.folder, exist_ok=True)
    merged = {}
    for s in range(args.schools):
        for key, lines in school(s).items():
            merged.setdefault(key, []).extend(lines)
    names = {
        "asignat": ("sice_asignat.txt", "SICE_ASIGNAT.TXT"),
        "actividades": ("SICE_ACTIVIDADES.TXT", "SICE_ACTIVIDADES.TXT"),
        "prof": ("sice_prof.txt", "SICE_PROF.TXT"),
        "aulas": ("sice_aulas.txt", "SICE_AULAS.TXT"),
        "grupo": ("sice_grupo.txt", "SICE_GRUPOS.TXT"),
        "asignatgrupo": ("sice_asignatgrupo.txt", "SICE_ASIGNATGRUPO.TXT"),
        "asignatcurso": ("sice_asignatcurso.txt", "SICE_ASIGNATCURSO.TXT"),
        "sesiones": ("sice_sesiones.txt", "SICE_SESIONES.TXT"),
    }
    total = 0
    for key, (name, upper) in names.items():
        total += write(args.folder, name, upper, merged[key])
    print(total)


if __name__ == "__main__":
    main()
