#!/usr/bin/env python3
"""Writes examples/SOLUC.DBF (or the path given as first argument): the timetable that the
timetabling host could have computed for the example school in examples/sice/, as the host leaves
it in its work folder for the export to turn into SICE_HORARIO.TXT.

The lessons come from the school's own files: which teacher teaches which subject to which group
(sice_asignatgrupo.txt), the weekly hours of each subject by course (sice_asignatcurso.txt, halves
rounded up, a blank meaning one), the groups' levels and courses (sice_grupo.txt) and the week of
five days with six periods (sice_sesiones.txt). A simple greedy placement puts every lesson where
the group, the teacher and the room are all free; teachers with room left get duties.

The codes are the host's, which are the import's work-table codes: teachers as in PROFT, groups
as in GRUPOST, subjects and tasks as in ASIGNOMT (an activity's code carries its "*"), rooms as
in AULAT. A few are not, on purpose, so that the export's report has something to show:
  - the Latin lessons of 4º ESO A go to the split group 4ESOA-D, which only the host knows;
  - the English lessons of 1º and 2º ESO are in the language room AULA-ING, unknown to SICE;
  - the pedagogical committee meets as the task *CCP, which SICE's activities do not have.
Lessons have no task (the export writes "LEC"), 2º Bachillerato has its lessons in the hall SUM,
which has no short code in SICE, one
session could not be placed (day 0, skipped by the export), and one row is marked deleted.

The file is dBase III as the host writes it: DIA and HORA numeric, the other five text, plus two
columns the export does not read (SESION, the host's session number, and OBSERV, a note).
The output is the same byte for byte on every run.
"""

import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SICE = os.path.join(HERE, "sice")
LAST_UPDATE = (2024, 9, 6)  # the day the host computed the timetable

FIELDS = [  # name, type, width, decimals
    ("SESION", "N", 5, 0),
    ("DIA", "N", 2, 0),
    ("HORA", "N", 2, 0),
    ("PROF", "C", 10, 0),
    ("CODGRUPO", "C", 10, 0),
    ("TAREA", "C", 10, 0),
    ("ASIG", "C", 10, 0),
    ("AULA", "C", 10, 0),
    ("OBSERV", "C", 20, 0),
]

HOME_ROOMS = {
    "1ESOA": "AULA101", "1ESOB": "AULA102", "2ESOA": "AULA103", "2ESOB": "AULA201",
    "3ESOA": "AULA202", "4ESOA": "AULA203", "1BACA": "INFORM-1", "2BACA": "SUM",
}
SUBJECT_ROOMS = {
    "FYQ": "LAB-FIS", "BYG": "LAB-BIO", "TEC": "TALLER-TEC", "EDF": "GIMNASIO",
    "MUS": "AULA-MUS",
}
LANGUAGE_ROOM = "AULA-ING"                 # not in sice_aulas.txt
LANGUAGE_ROOM_GROUPS = {"1ESOA", "1ESOB", "2ESOA", "2ESOB"}
SPLIT_GROUPS = {("4ESOA", "LAT"): "4ESOA-D"}  # not in sice_grupo.txt


def sice_lines(name):
    with open(os.path.join(SICE, name), "rb") as f:
        text = f.read().decode("cp1252")
    return [line for line in text.split("\r\n") if line]


def data_lines(name, header_name=None):
    for line in sice_lines(name):
        if line[:1] in ("0", "9"):
            continue
        if header_name and line[1:51].strip().upper() == header_name:
            continue
        yield line


def col(line, first, last):
    return line[first - 1:last].strip()


def weekly_hours(text):
    if not text:
        return 1
    value = float(text.replace(",", "."))
    return int(value) + (1 if value > int(value) else 0)


def read_school():
    course_of = {}
    for line in data_lines("sice_grupo.txt", "SICE_GRUPOS.TXT"):
        course_of[col(line, 2, 11)] = (col(line, 16, 18), col(line, 22, 24))
    hours = {}
    for line in data_lines("sice_asignatcurso.txt", "SICE_ASIGNATCURSO.TXT"):
        key = (col(line, 2, 4), col(line, 8, 10), col(line, 24, 27))
        hours.setdefault(key, weekly_hours(col(line, 28, 33)))
    lessons = []  # (group, subject, teacher, hours) in file order
    for line in data_lines("sice_asignatgrupo.txt", "SICE_ASIGNATGRUPO.TXT"):
        group, subject, teacher = col(line, 2, 11), col(line, 16, 19), col(line, 20, 23)
        level, course = course_of[group]
        lessons.append((group, subject, teacher, hours[(level, course, subject)]))
    teachers = []
    for line in data_lines("sice_prof.txt", "SICE_PROF.TXT"):
        code = col(line, 2, 5)
        if code.upper() not in (t.upper() for t in teachers):
            teachers.append(code)
    rooms = {col(line, 2, 11) for line in data_lines("sice_aulas.txt", "SICE_AULAS.TXT")}
    slots_per_day = {}
    for line in data_lines("sice_sesiones.txt", "SICE_SESIONES.TXT"):
        day = col(line, 9, 9)
        slots_per_day[day] = slots_per_day.get(day, 0) + 1
    days = slots_per_day
    periods = max(slots_per_day.values())
    return lessons, teachers, rooms, len(days), periods


def room_for(group, subject):
    if subject == "ING" and group in LANGUAGE_ROOM_GROUPS:
        return LANGUAGE_ROOM
    return SUBJECT_ROOMS.get(subject, HOME_ROOMS[group])


def place_lessons(lessons, days, periods, reserved):
    """Greedy placement; each hour of a subject on a different day where it can be. `reserved`
    holds (teacher, day, period) kept free for the committee."""
    busy_group, busy_teacher, busy_room = set(), set(reserved), set()
    placed = []  # (group, day, period, teacher, subject, room)
    unplaced = []
    # Longest subjects first, so that the four-hour ones still find four different days.
    order = sorted(range(len(lessons)), key=lambda i: (-lessons[i][3], i))
    for n, i in enumerate(order):
        group, subject, teacher, count = lessons[i]
        room = room_for(group, subject)
        used_days = set()
        for hour in range(count):
            slot = None
            for relax in (False, True):
                for k in range(days * periods):
                    # Start each lesson somewhere else, so the week fills evenly.
                    s = (k + 7 * n + 11 * hour) % (days * periods)
                    day, period = s % days + 1, s // days + 1
                    if not relax and day in used_days:
                        continue
                    if ((group, day, period) in busy_group or (teacher, day, period) in busy_teacher
                            or (room, day, period) in busy_room):
                        continue
                    slot = (day, period)
                    break
                if slot:
                    break
            if not slot:
                unplaced.append((group, subject, teacher, room))
                continue
            day, period = slot
            used_days.add(day)
            busy_group.add((group, day, period))
            busy_teacher.add((teacher, day, period))
            busy_room.add((room, day, period))
            placed.append((group, day, period, teacher, subject, room))
    return placed, unplaced, busy_teacher, busy_room


def duties(teachers, committee, busy_teacher, busy_room, days, periods):
    """The pedagogical committee in the library in the period kept for it, then a guardia, a
    library duty or family tutoring for each teacher."""
    rows = []
    week = [(s % days + 1, s // days + 1) for s in range(days * periods)]
    for teacher, day, period in committee:
        rows.append((teacher, day, period, "*CCP", "BIBLIOTECA"))
        busy_room.add(("BIBLIOTECA", day, period))
    for t, teacher in enumerate(teachers):
        for task in ("*GUA", "*GUA", "*TUT" if t % 3 == 0 else "*BIB"):
            room = "BIBLIOTECA" if task == "*BIB" else ""
            for k in range(len(week)):
                day, period = week[(k + 5 * t) % len(week)]
                if (teacher, day, period) in busy_teacher or (room, day, period) in busy_room:
                    continue
                busy_teacher.add((teacher, day, period))
                if room:
                    busy_room.add((room, day, period))
                rows.append((teacher, day, period, task, room))
                break
    return rows


def dbf_bytes(rows, deleted):
    record_length = 1 + sum(width for _, _, width, _ in FIELDS)
    header_length = 32 + 32 * len(FIELDS) + 1
    year, month, day = LAST_UPDATE
    out = bytearray(struct.pack("<BBBBIHH20x", 0x03, year - 1900, month, day, len(rows),
                                header_length, record_length))
    for name, kind, width, decimals in FIELDS:
        out += struct.pack("<11sc4xBB14x", name.encode("ascii"), kind.encode("ascii"), width,
                           decimals)
    out += b"\x0D"
    for index, row in enumerate(rows):
        out += b"*" if index in deleted else b" "
        for (name, kind, width, _), value in zip(FIELDS, row):
            text = str(value).encode("cp1252")
            if len(text) > width:
                raise ValueError(f"{name} {value!r} is wider than {width}")
            out += text.rjust(width) if kind == "N" else text.ljust(width)
    out += b"\x1A"
    return bytes(out)


def check(data, rows, deleted):
    """Reads the bytes back as a dBase reader would and compares every value."""
    count, header_length, record_length = struct.unpack_from("<IHH", data, 4)
    assert data[0] == 0x03 and count == len(rows)
    fields = []
    offset = 1
    for i in range(32, header_length - 1, 32):
        name, kind, width = struct.unpack_from("<11sc4xB", data, i)
        fields.append((name.rstrip(b"\0").decode(), kind.decode(), offset, width))
        offset += width
    assert data[header_length - 1] == 0x0D and offset == record_length
    assert [f[0] for f in fields] == [f[0] for f in FIELDS]
    for index, row in enumerate(rows):
        record = data[header_length + index * record_length:][:record_length]
        assert (record[0:1] == b"*") == (index in deleted)
        for (name, kind, start, width), value in zip(fields, row):
            stored = record[start:start + width].decode("cp1252").strip()
            assert stored == str(value).strip(), (index, name, stored, value)
    assert data[header_length + count * record_length:] == b"\x1A"


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "SOLUC.DBF")
    lessons, teachers, rooms, days, periods = read_school()
    # The first four teachers meet as the pedagogical committee on Thursday's last period.
    committee = [(teacher, 4, periods) for teacher in teachers[:4]]
    placed, unplaced, busy_teacher, busy_room = place_lessons(lessons, days, periods, committee)
    assert not unplaced, unplaced
    for group, _, _, _, subject, room in placed:
        assert room in rooms or room == LANGUAGE_ROOM, room

    rows = []  # SESION, DIA, HORA, PROF, CODGRUPO, TAREA, ASIG, AULA, OBSERV
    for group, day, period, teacher, subject, room in sorted(placed):
        group_code = SPLIT_GROUPS.get((group, subject), group)
        rows.append([0, day, period, teacher, group_code, "", subject, room, ""])
    for teacher, day, period, task, room in sorted(duties(teachers, committee, busy_teacher, busy_room,
                                                          days, periods),
                                                   key=lambda r: (r[1], r[2], r[0])):
        rows.append([0, day, period, teacher, "", task, "", room, ""])
    # A session the host could not place: no day, so the export leaves it out.
    rows.append([0, 0, 0, "MCRE", "3ESOA", "", "EPV", "AULA202", "sin colocar"])
    # A row the host deleted after moving the lesson; a reader must skip it.
    moved = list(rows[3])
    moved[1], moved[2], moved[8] = 5, periods, "movida"
    rows.insert(4, moved)
    deleted = {4}
    for number, row in enumerate(rows, start=1):
        row[0] = number

    data = dbf_bytes(rows, deleted)
    check(data, rows, deleted)
    with open(target, "wb") as f:
        f.write(data)
    print(f"{target}: {len(rows)} filas ({len(placed)} clases, una sin colocar, una borrada)")


if __name__ == "__main__":
    main()
