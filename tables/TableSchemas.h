#pragma once

// Every work table the jobs touch, declared once: its name and its columns, in order, with their
// types and widths. The import creates its six tables from these declarations, the export and
// `check` reach their columns through them, and changing a column is an edit here alone.

#include "tables/Column.h"

#include <span>
#include <vector>

namespace tts::tables {

// A table's name and its columns in order.
struct TableSchema {
    const char* name;
    std::span<const DeclaredColumn> columns;

    std::vector<Column> definition() const {
        std::vector<Column> all;
        all.reserve(columns.size());
        for (const DeclaredColumn& column : columns)
            all.push_back(column.definition());
        return all;
    }
};

namespace schema {

// Subjects, then activities (their codes start with "*").
struct Subjects {
    static constexpr DeclaredColumn cod = DeclaredColumn::text("COD", 10);
    static constexpr DeclaredColumn codLargo = DeclaredColumn::text("CODLARGO", 10);
    static constexpr DeclaredColumn nombre = DeclaredColumn::text("NOMBRE", 80);
    static constexpr DeclaredColumn esTarea = DeclaredColumn::boolean("ESTAREA");
    static constexpr DeclaredColumn codTarea = DeclaredColumn::text("CODTAREA", 10);
    static constexpr DeclaredColumn columns[] = {cod, codLargo, nombre, esTarea, codTarea};
    static constexpr TableSchema table{"ASIGNOMT", columns};
};

struct Teachers {
    static constexpr DeclaredColumn abrev = DeclaredColumn::text("ABREV", 10);
    static constexpr DeclaredColumn nombre = DeclaredColumn::text("NOMBRE", 80);
    static constexpr DeclaredColumn depart = DeclaredColumn::text("DEPART", 40);
    static constexpr DeclaredColumn dni = DeclaredColumn::integer("DNI");
    static constexpr DeclaredColumn columns[] = {abrev, nombre, depart, dni};
    static constexpr TableSchema table{"PROFT", columns};
};

struct Rooms {
    static constexpr DeclaredColumn abrev = DeclaredColumn::text("ABREV", 10);
    static constexpr DeclaredColumn nombre = DeclaredColumn::text("NOMBRE", 80);
    static constexpr DeclaredColumn edificio = DeclaredColumn::text("EDIFICIO", 1);
    static constexpr DeclaredColumn maxAlum = DeclaredColumn::integer("MAXALUM");
    static constexpr DeclaredColumn abrevCorta = DeclaredColumn::text("ABREVCORTA", 4);
    static constexpr DeclaredColumn columns[] = {abrev, nombre, edificio, maxAlum, abrevCorta};
    static constexpr TableSchema table{"AULAT", columns};
};

struct Groups {
    static constexpr DeclaredColumn abrev = DeclaredColumn::text("ABREV", 10);
    static constexpr DeclaredColumn turno = DeclaredColumn::text("TURNO", 1);
    static constexpr DeclaredColumn nivel = DeclaredColumn::text("NIVEL", 5);
    static constexpr DeclaredColumn curso = DeclaredColumn::text("CURSO", 3);
    static constexpr DeclaredColumn grupo = DeclaredColumn::text("GRUPO", 2);
    static constexpr DeclaredColumn unidad = DeclaredColumn::text("UNIDAD", 10);
    static constexpr DeclaredColumn descrip = DeclaredColumn::text("DESCRIP", 80);
    static constexpr DeclaredColumn abrevCorta = DeclaredColumn::text("ABREVCORTA", 4);
    static constexpr DeclaredColumn columns[] = {abrev, turno,  nivel,   curso,
                                                 grupo, unidad, descrip, abrevCorta};
    static constexpr TableSchema table{"GRUPOST", columns};
};

// Subject-group assignments, with their group's data and their weekly hours.
struct Assignments {
    static constexpr DeclaredColumn casig = DeclaredColumn::text("CASIG", 10);
    static constexpr DeclaredColumn cprof = DeclaredColumn::text("CPROF", 10);
    static constexpr DeclaredColumn cgrup = DeclaredColumn::text("CGRUP", 10);
    static constexpr DeclaredColumn caula = DeclaredColumn::text("CAULA", 10);
    static constexpr DeclaredColumn ctarea = DeclaredColumn::text("CTAREA", 10);
    static constexpr DeclaredColumn turno = DeclaredColumn::text("TURNO", 1);
    static constexpr DeclaredColumn nivel = DeclaredColumn::text("NIVEL", 5);
    static constexpr DeclaredColumn curso = DeclaredColumn::text("CURSO", 3);
    static constexpr DeclaredColumn grupo = DeclaredColumn::text("GRUPO", 2);
    static constexpr DeclaredColumn horas = DeclaredColumn::floating("HORAS");
    static constexpr DeclaredColumn sesiones = DeclaredColumn::text("SESIONES", 20);
    static constexpr DeclaredColumn nconex = DeclaredColumn::text("NCONEX", 4);
    static constexpr DeclaredColumn columns[] = {casig, cprof, cgrup, caula, ctarea,   turno,
                                                 nivel, curso, grupo, horas, sesiones, nconex};
    static constexpr TableSchema table{"ASIGT", columns};
};

// The week's time slots.
struct Slots {
    static constexpr DeclaredColumn diho = DeclaredColumn::text("DIHO", 10);
    static constexpr DeclaredColumn codDiho = DeclaredColumn::text("CODDIHO", 10);
    static constexpr DeclaredColumn dia = DeclaredColumn::text("DIA", 20);
    static constexpr DeclaredColumn textoDia = DeclaredColumn::text("TEXTODIA", 20);
    static constexpr DeclaredColumn hora = DeclaredColumn::text("HORA", 8);
    static constexpr DeclaredColumn horaDesde = DeclaredColumn::text("HORADESDE", 8);
    static constexpr DeclaredColumn horaHasta = DeclaredColumn::text("HORAHASTA", 8);
    static constexpr DeclaredColumn minutos = DeclaredColumn::text("MINUTOS", 8);
    static constexpr DeclaredColumn columns[] = {diho, codDiho,   dia,       textoDia,
                                                 hora, horaDesde, horaHasta, minutos};
    static constexpr TableSchema table{"DIASHORAST", columns};
};

// The computed timetable, written by the host: the columns the export reads, as the host stores
// them. Other columns it may hold are left alone.
struct Timetable {
    static constexpr DeclaredColumn dia = DeclaredColumn::integer("DIA");
    static constexpr DeclaredColumn hora = DeclaredColumn::integer("HORA");
    static constexpr DeclaredColumn prof = DeclaredColumn::text("PROF", 10);
    static constexpr DeclaredColumn codGrupo = DeclaredColumn::text("CODGRUPO", 10);
    static constexpr DeclaredColumn tarea = DeclaredColumn::text("TAREA", 10);
    static constexpr DeclaredColumn asig = DeclaredColumn::text("ASIG", 10);
    static constexpr DeclaredColumn aula = DeclaredColumn::text("AULA", 10);
    static constexpr DeclaredColumn columns[] = {dia, hora, prof, codGrupo, tarea, asig, aula};
    static constexpr TableSchema table{"SOLUC", columns};
};

} // namespace schema

} // namespace tts::tables
