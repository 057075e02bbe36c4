#!/usr/bin/env python3
"""Writes the SICE folder of the example school, IES Peña del Albar (Fuenteañil), into
examples/sice/ (or the folder given as first argument), then reads every file back and checks
each value in its columns.

The school, its people and its codes are invented. The files are what SICE hands a timetabler:
Windows-1252 bytes, CR LF after every line, a header line ("0") and a trailer line ("9") around
the data lines, and in some files a line that repeats the file's name. Run it again after a
change: the output is the same byte for byte (the date of the header lines is fixed).
"""

import os
import sys

CENTRE_CODE = "37999042"        # header code, columns 52-59
WRITTEN_AT = "020920240915"     # ddmmyyyyhhnn: 2 September 2024, 09:15
DATA = "1"                      # record type character of the data lines

# Columns (1-based, inclusive) of the data lines, by field. Columns the importer does not read
# are marked "(unread)"; they hold what SICE puts there, for realism.
LAYOUTS = {
    "sice_asignat.txt": [("cod", 2, 5), ("codlargo", 6, 25), ("nombre", 26, 175)],
    "SICE_ACTIVIDADES.TXT": [("cod", 2, 5), ("nombre", 6, 65), ("codtarea", 66, 68)],
    "sice_prof.txt": [("abrev", 2, 5), ("nombre", 6, 95), ("depart", 96, 145)],
    "sice_aulas.txt": [("abrev", 2, 11), ("abrevcorta", 12, 15), ("(unread)", 16, 85),
                       ("nombre", 86, 185)],
    "sice_grupo.txt": [("unidad", 2, 11), ("abrevcorta", 12, 15), ("nivel", 16, 18),
                       ("(unread)", 19, 21), ("curso", 22, 24), ("descrip", 25, 34),
                       ("turno", 35, 37)],
    "sice_asignatgrupo.txt": [("grupo", 2, 11), ("(unread)", 12, 15), ("asig", 16, 19),
                              ("(unread)2", 20, 23)],
    "sice_asignatcurso.txt": [("nivel", 2, 4), ("(unread)", 5, 7), ("curso", 8, 10),
                              ("(unread)2", 11, 23), ("asig", 24, 27), ("horas", 28, 33)],
    "sice_sesiones.txt": [("(unread)", 2, 4), ("codigo", 5, 8), ("dia", 9, 9),
                          ("desde", 10, 13), ("hasta", 14, 17), ("(unread)2", 18, 37)],
}

# The files' names in capitals, as their header lines and header-name lines carry them.
CAPITAL_NAMES = {
    "sice_asignat.txt": "SICE_ASIGNAT.TXT",
    "SICE_ACTIVIDADES.TXT": "SICE_ACTIVIDADES.TXT",
    "sice_prof.txt": "SICE_PROF.TXT",
    "sice_aulas.txt": "SICE_AULAS.TXT",
    "sice_grupo.txt": "SICE_GRUPO.TXT",
    "sice_asignatgrupo.txt": "SICE_ASIGNATGRUPO.TXT",
    "sice_asignatcurso.txt": "SICE_ASIGNATCURSO.TXT",
    "sice_sesiones.txt": "SICE_SESIONES.TXT",
}

# Files with a line naming the file after the header (and how it is written there).
HEADER_NAME_LINES = {
    "sice_prof.txt": " Sice_Prof.txt",
    "sice_asignatgrupo.txt": " SICE_ASIGNATGRUPO.TXT",
    "sice_asignatcurso.txt": "  sice_asignatcurso.txt",
}

SUBJECTS = [
    ("MAT", "MATEMATICAS", "Matemáticas"),
    ("LCL", "LENGUA CAST. Y LIT.", "Lengua Castellana y Literatura"),
    ("ING", "INGLES", "Primera Lengua Extranjera: Inglés"),
    ("FRA", "FRANCES", "Segunda Lengua Extranjera: Francés"),
    ("GEH", "GEOGRAFIA E HISTORIA", "Geografía e Historia"),
    ("BYG", "BIOLOGIA Y GEOLOGIA", "Biología y Geología"),
    ("FYQ", "FISICA Y QUIMICA", "Física y Química"),
    ("EDF", "EDUCACION FISICA", "Educación Física"),
    ("MUS", "MUSICA", "Música"),
    ("EPV", "EDUC. PLAST. VISUAL", "Educación Plástica, Visual y Audiovisual"),
    ("TEC", "TECNOLOGIA Y DIGIT.", "Tecnología y Digitalización"),
    ("REL", "RELIGION", "Religión Católica"),
    ("AEV", "ATENCION EDUCATIVA", "Atención Educativa"),
    ("LAT", "LATIN", "Latín"),
    ("ECO", "ECONOMIA Y EMPREND.", "Economía y Emprendimiento"),
    ("PIN", "PROYECTO INVESTIG.",
     "Proyecto de Investigación e Innovación en Ciencias, Tecnología, Ingeniería y "
     "Matemáticas para 4º de Educación Secundaria Obligatoria"),
    ("FIL", "FILOSOFIA", "Filosofía"),
    ("MAI", "MATEMATICAS I", "Matemáticas I"),
    ("MAII", "MATEMATICAS II", "Matemáticas II"),
    ("DIB", "DIBUJO TECNICO I", "Dibujo Técnico I"),
    ("HES", "HISTORIA DE ESPAÑA", "Historia de España"),
    ("TUT", "TUTORIA", "Tutoría"),
    # SICE sends a subject twice when two curricula share its code: the first one counts.
    ("mat", "MATEMATICAS LOMLOE", "Matemáticas (LOMLOE)"),
    ("ING", "INGLES", "Inglés"),
]

ACTIVITIES = [
    ("GUA", "Guardia", "GUA"),
    ("GRE", "Guardia de recreo", "GRE"),
    ("BIB", "Guardia de biblioteca", "BIB"),
    ("RDP", "Reunión de departamento", "RDP"),
    ("TUT", "Tutoría con familias", "TUF"),
    ("JDP", "Jefatura de departamento", "JDP"),
    ("gua", "Guardia (repetida)", "GUA"),
]

TEACHERS = [
    ("MSAN", "Muñoz Sánchez, María José", "Matemáticas"),
    ("JALV", "Álvarez Peña, Jesús", "Matemáticas"),
    ("CIBA", "Ibáñez Calvo, Concepción", "Lengua Castellana y Literatura"),
    ("RMAR", "Martín Rubio, Raquel", "Lengua Castellana y Literatura"),
    ("PGAR", "García Núñez, Pablo", "Inglés"),
    ("ECAS", "Castaño Hernández, Elena", "Inglés"),
    ("LDUB", "Dubois Lefèvre, Laure", "Francés"),
    ("AGON", "González Íñiguez, Ángel", "Geografía e Historia"),
    ("BLOP", "López Briones, Begoña", "Geografía e Historia"),
    ("NROD", "Rodríguez Olmedo, Nuria", "Biología y Geología"),
    ("FSAL", "Salgado Ferreira, Fernando", "Física y Química"),
    ("IMOR", "Moreno Iglesias, Inés", "Educación Física"),
    ("VCAB", "Cabrera Villa, Víctor", "Música"),
    ("SPER", "Pérez Santamaría, Sofía", "Dibujo"),
    ("TRUI", "Ruiz Toledo, Tomás", "Tecnología"),
    ("MCRE", "Crespo Mañueco, Manuel", "Religión"),
    ("OBEN", "Benítez Ortega, Olga", "Latín"),
    ("DFER", "Fernández Durán, David", "Filosofía"),
    ("YGUT", "Gutiérrez Yagüe, Yolanda", "Economía"),
    ("ASEG", "Segovia Alonso, Amparo", "Orientación Educativa y Atención a la Diversidad"),
    # Sent again after a change of department; the first line counts.
    ("pgar", "García Núñez, Pablo", "Francés"),
]

ROOMS = [
    ("AULA101", "A101", "Edificio principal, planta baja  30", "Aula 101"),
    ("AULA102", "A102", "Edificio principal, planta baja  30", "Aula 102"),
    ("AULA103", "A103", "Edificio principal, planta baja  28", "Aula 103"),
    ("AULA201", "A201", "Edificio principal, primera planta  30", "Aula 201"),
    ("AULA202", "A202", "Edificio principal, primera planta  30", "Aula 202"),
    ("AULA203", "A203", "Edificio principal, primera planta  32", "Aula 203"),
    ("LAB-FIS", "LABF", "Pabellón de ciencias  24", "Laboratorio de Física y Química"),
    ("LAB-BIO", "LABB", "Pabellón de ciencias  24", "Laboratorio de Biología y Geología"),
    ("TALLER-TEC", "TTEC", "Pabellón de ciencias  20", "Taller de Tecnología"),
    ("INFORM-1", "INF1", "Edificio principal, primera planta  25", "Aula de Informática 1"),
    ("AULA-MUS", "AMUS", "Edificio principal, planta baja  30", "Aula de Música"),
    ("GIMNASIO", "GIM", "Pabellón deportivo  60", "Gimnasio"),
    ("BIBLIOTECA", "BIB", "Edificio principal, planta baja  40", "Biblioteca «Miguel de Unamuno»"),
    ("SUM", "", "Edificio principal, planta baja  120", "Salón de usos múltiples"),
]

GROUPS = [
    ("1ESOA", "1A", "ESO", "LOM", "1", "1º ESO A", "M"),
    ("1ESOB", "1B", "ESO", "LOM", "1", "1º ESO B", "M"),
    ("2ESOA", "2A", "ESO", "LOM", "2", "2º ESO A", "M"),
    ("2ESOB", "2B", "ESO", "LOM", "2", "2º ESO B", "M"),
    ("3ESOA", "3A", "ESO", "LOM", "3", "3º ESO A", "M"),
    ("4ESOA", "4A", "ESO", "LOM", "4", "4º ESO A", "M"),
    ("1BACA", "1BA", "BAC", "LOM", "1", "1º BCH A", "M"),
    ("2BACA", "2BA", "BAC", "LOE", "2", "2º BCH A", "M"),
]

# Subject and teacher of each group's classes.
TEACHING = {
    "1ESOA": [("LCL", "CIBA"), ("MAT", "MSAN"), ("ING", "PGAR"), ("GEH", "AGON"), ("BYG", "NROD"),
              ("EDF", "IMOR"), ("MUS", "VCAB"), ("FRA", "LDUB"), ("TUT", "CIBA")],
    "1ESOB": [("LCL", "RMAR"), ("MAT", "JALV"), ("ING", "ECAS"), ("GEH", "BLOP"), ("BYG", "NROD"),
              ("EDF", "IMOR"), ("MUS", "VCAB"), ("FRA", "LDUB"), ("TUT", "JALV")],
    "2ESOA": [("LCL", "CIBA"), ("MAT", "MSAN"), ("ING", "PGAR"), ("GEH", "AGON"), ("FYQ", "FSAL"),
              ("EDF", "IMOR"), ("TEC", "TRUI"), ("TUT", "AGON")],
    "2ESOB": [("LCL", "RMAR"), ("MAT", "JALV"), ("ING", "ECAS"), ("GEH", "BLOP"), ("FYQ", "FSAL"),
              ("EDF", "IMOR"), ("TEC", "TRUI"), ("TUT", "ECAS")],
    "3ESOA": [("LCL", "RMAR"), ("MAT", "MSAN"), ("ING", "PGAR"), ("GEH", "BLOP"), ("BYG", "NROD"),
              ("FYQ", "FSAL"), ("TEC", "TRUI"), ("TUT", "NROD")],
    "4ESOA": [("LCL", "CIBA"), ("MAT", "JALV"), ("ING", "ECAS"), ("GEH", "AGON"), ("EDF", "IMOR"),
              ("LAT", "OBEN"), ("PIN", "FSAL")],
    "1BACA": [("LCL", "RMAR"), ("MAI", "MSAN"), ("ING", "PGAR"), ("FIL", "DFER"), ("FYQ", "FSAL"),
              ("DIB", "SPER")],
    "2BACA": [("LCL", "CIBA"), ("MAII", "JALV"), ("ING", "ECAS"), ("HES", "AGON"), ("FIL", "DFER")],
}

# Weekly hours by level, course and subject, as the education authority publishes them. SICE
# writes the decimal separator as the office's machine had it: "2.5" here, "1,5" there; a blank
# means one hour.
COURSE_HOURS = [
    ("ESO", "1", "1º ESO", [("LCL", "4"), ("MAT", "4"), ("ING", "4"), ("GEH", "3"), ("BYG", "3"),
                            ("EDF", "2"), ("MUS", "2"), ("FRA", "2"), ("TUT", "1")]),
    ("ESO", "2", "2º ESO", [("LCL", "4"), ("MAT", "4"), ("ING", "3"), ("GEH", "3"), ("FYQ", "3"),
                            ("EDF", "2"), ("TEC", "2.5"), ("TUT", "1")]),
    ("ESO", "3", "3º ESO", [("LCL", "4"), ("MAT", "4"), ("ING", "3"), ("GEH", "3"), ("BYG", "2"),
                            ("FYQ", "2"), ("TEC", "2"), ("TUT", "")]),
    ("ESO", "4", "4º ESO", [("LCL", "4"), ("MAT", "4"), ("ING", "3"), ("GEH", "3"), ("EDF", "2"),
                            ("LAT", "3"), ("PIN", "1,5")]),
    ("BAC", "1", "1º Bachill.", [("LCL", "4"), ("MAI", "4"), ("ING", "3"), ("FIL", "3"),
                                 ("FYQ", "4"), ("DIB", "4")]),
    ("BAC", "2", "2º Bachill.", [("LCL", "4"), ("MAII", "4"), ("ING", "3"), ("HES", "4"),
                                 ("FIL", "2.5")]),
]

DAYS = [("L", "Lunes"), ("M", "Martes"), ("X", "Miércoles"), ("J", "Jueves"), ("V", "Viernes")]
PERIODS = [("0830", "0925"), ("0925", "1020"), ("1020", "1115"),
           ("1145", "1240"), ("1240", "1335"), ("1335", "1430")]  # break 1115-1145


def records():
    """Every file's data records: a dict of field name to value per line, in file order."""
    out = {}
    out["sice_asignat.txt"] = [dict(cod=c, codlargo=l, nombre=n) for c, l, n in SUBJECTS]
    out["SICE_ACTIVIDADES.TXT"] = [dict(cod=c, nombre=n, codtarea=t) for c, n, t in ACTIVITIES]
    out["sice_prof.txt"] = [dict(abrev=a, nombre=n, depart=d) for a, n, d in TEACHERS]
    out["sice_aulas.txt"] = [{"abrev": a, "abrevcorta": s, "(unread)": x, "nombre": n}
                             for a, s, x, n in ROOMS]
    out["sice_grupo.txt"] = [{"unidad": u, "abrevcorta": s, "nivel": n, "(unread)": p,
                              "curso": k, "descrip": d, "turno": t}
                             for u, s, n, p, k, d, t in GROUPS]
    short = {g[0]: g[1] for g in GROUPS}
    out["sice_asignatgrupo.txt"] = [{"grupo": g, "(unread)": short[g], "asig": a,
                                     "(unread)2": p}
                                    for g, classes in TEACHING.items() for a, p in classes]
    out["sice_asignatcurso.txt"] = [{"nivel": n, "(unread)": "", "curso": k, "(unread)2": name,
                                     "asig": a, "horas": h}
                                    for n, k, name, hours in COURSE_HOURS for a, h in hours]
    out["sice_sesiones.txt"] = [{"(unread)": "", "codigo": f"{d + 1:02d}{p + 1:02d}",
                                 "dia": letter, "desde": start, "hasta": end,
                                 "(unread)2": f"{day_name} {p + 1}ª hora"}
                                for d, (letter, day_name) in enumerate(DAYS)
                                for p, (start, end) in enumerate(PERIODS)]
    return out


def data_line(layout, record):
    line = [" "] * max(last for _, _, last in layout)
    line[0] = DATA
    for name, first, last in layout:
        value = record[name]
        # Names longer than their columns are SICE's to cut, as a real export would.
        if name == "nombre" and len(value) > last - first + 1:
            value = value[: last - first + 1]
        assert len(value) <= last - first + 1, (name, value)
        line[first - 1:first - 1 + len(value)] = value
    return "".join(line)


def header(kind, capital_name):
    return kind + capital_name.ljust(50) + CENTRE_CODE + WRITTEN_AT


def file_lines(name, layout, data):
    lines = [header("0", CAPITAL_NAMES[name])]
    if name in HEADER_NAME_LINES:
        lines.append(HEADER_NAME_LINES[name])
    lines += [data_line(layout, r) for r in data]
    lines.append(header("9", CAPITAL_NAMES[name]) + str(len(data)))
    return lines


def verify(folder, all_records):
    """Reads each file back and checks every line against the layouts."""
    for name, layout in LAYOUTS.items():
        raw = open(os.path.join(folder, name), "rb").read()
        assert raw.endswith(b"\r\n") and raw.count(b"\n") == raw.count(b"\r\n"), name
        assert raw.count(b"\r") == raw.count(b"\r\n"), name
        lines = raw.decode("cp1252").split("\r\n")[:-1]
        capital = CAPITAL_NAMES[name]
        assert lines[0] == header("0", capital), name
        assert lines[0][51:59] == CENTRE_CODE and lines[0][59:71].isdigit(), name
        body = lines[1:-1]
        if name in HEADER_NAME_LINES:
            assert body[0][1:51].strip().upper() == capital, name
            body = body[1:]
        expected = all_records[name]
        assert lines[-1] == header("9", capital) + str(len(expected)), name
        assert len(body) == len(expected), name
        for line, record in zip(body, expected):
            assert line[0] == DATA, (name, line)
            for field, first, last in layout:
                got = line[first - 1:last].strip(" ")
                want = record[field]
                if len(want) > last - first + 1:
                    want = want[: last - first + 1].strip(" ")
                assert got == want, (name, field, got, want)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "sice")
    os.makedirs(folder, exist_ok=True)
    all_records = records()
    for name, layout in LAYOUTS.items():
        lines = file_lines(name, layout, all_records[name])
        with open(os.path.join(folder, name), "wb") as out:
            out.write("".join(line + "\r\n" for line in lines).encode("cp1252"))
    verify(folder, all_records)
    for name in LAYOUTS:
        print(f"{name}: {len(all_records[name])} data lines")


if __name__ == "__main__":
    main()
