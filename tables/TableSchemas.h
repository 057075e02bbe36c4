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
    std::span<const ColumnSpec> columns;

    std::vector<Column> definition() const {
        std::vector<Column> all;
        all.reserve(columns.size());
        for (const ColumnSpec& column : columns)
            all.push_back(column.definition());
        return all;
    }
};

namespace schema {

// Subjects, then activities (their codes start with "*").
struct Subjects {
    static constexpr ColumnSpec cod = ColumnSpec::text("COD", 10);
    static constexpr ColumnSpec codLargo = ColumnSpec::text("CODLARGO", 10);
    static constexpr ColumnSpec nombre = ColumnSpec::text("NOMBRE", 80);
    static constexpr ColumnSpec esTarea = ColumnSpec::boolean("ESTAREA");
    static constexpr ColumnSpec codTarea = ColumnSpec::text("CODTAREA", 10);
    static constexpr ColumnSpec columns[] = {cod, codLargo, nombre, esTarea, codTarea};
    static constexpr TableSchema table{"ASIGNOMT", columns};
};

struct Teachers {
    static constexpr ColumnSpec abrev = ColumnSpec::text("ABREV", 10);
    static constexpr ColumnSpec nombre = ColumnSpec::text("NOMBRE", 80);
    static constexpr ColumnSpec depart = ColumnSpec::text("DEPART", 40);
    static constexpr ColumnSpec dni = ColumnSpec::integer("DNI");
    static constexpr ColumnSpec columns[] = {abrev, nombre, depart, dni};
    static constexpr TableSchema table{"PROFT", columns};
};

struct Rooms {
    static constexpr ColumnSpec abrev = ColumnSpec::text("ABREV", 10);
    static constexpr ColumnSpec nombre = ColumnSpec::text("NOMBRE", 80);
    static constexpr ColumnSpec edificio = ColumnSpec::text("EDIFICIO", 1);
    static constexpr ColumnSpec maxAlum = ColumnSpec::integer("MAXALUM");
    static constexpr ColumnSpec abrevCorta = ColumnSpec::text("ABREVCORTA", 4);
    static constexpr ColumnSpec columns[] = {abrev, nombre, edificio, maxAlum, abrevCorta};
    static constexpr TableSchema table{"AULAT", columns};
};

struct Groups {
    static constexpr ColumnSpec abrev = ColumnSpec::text("ABREV", 10);
    static constexpr ColumnSpec turno = ColumnSpec::text("TURNO", 1);
    static constexpr ColumnSpec nivel = ColumnSpec::text("NIVEL", 5);
    static constexpr ColumnSpec curso = ColumnSpec::text("CURSO", 3);
    static constexpr ColumnSpec grupo = ColumnSpec::text("GRUPO", 2);
    static constexpr ColumnSpec unidad = ColumnSpec::text("UNIDAD", 10);
    static constexpr ColumnSpec descrip = ColumnSpec::text("DESCRIP", 80);
    static constexpr ColumnSpec abrevCorta = ColumnSpec::text("ABREVCORTA", 4);
    static constexpr ColumnSpec columns[] = {abrev, turno,  nivel,   curso,
                                             grupo, unidad, descrip, abrevCorta};
    static constexpr TableSchema table{"GRUPOST", columns};
};

// Subject-group assignments, with their group's data and their weekly hours.
struct Assignments {
    static constexpr ColumnSpec casig = ColumnSpec::text("CASIG", 10);
    static constexpr ColumnSpec cprof = ColumnSpec::text("CPROF", 10);
    static constexpr ColumnSpec cgrup = ColumnSpec::text("CGRUP", 10);
    static constexpr ColumnSpec caula = ColumnSpec::text("CAULA", 10);
    static constexpr ColumnSpec ctarea = ColumnSpec::text("CTAREA", 10);
    static constexpr ColumnSpec turno = ColumnSpec::text("TURNO", 1);
    static constexpr ColumnSpec nivel = ColumnSpec::text("NIVEL", 5);
    static constexpr ColumnSpec curso = ColumnSpec::text("CURSO", 3);
    static constexpr ColumnSpec grupo = ColumnSpec::text("GRUPO", 2);
    static constexpr ColumnSpec horas = ColumnSpec::floating("HORAS");
    static constexpr ColumnSpec sesiones = ColumnSpec::text("SESIONES", 20);
    static constexpr ColumnSpec nconex = ColumnSpec::text("NCONEX", 4);
    static constexpr ColumnSpec columns[] = {casig, cprof, cgrup, caula, ctarea,   turno,
                                             nivel, curso, grupo, horas, sesiones, nconex};
    static constexpr TableSchema table{"ASIGT", columns};
};

// The week's time slots.
struct Slots {
    static constexpr ColumnSpec diho = ColumnSpec::text("DIHO", 10);
    static constexpr ColumnSpec codDiho = ColumnSpec::text("CODDIHO", 10);
    static constexpr ColumnSpec dia = ColumnSpec::text("DIA", 20);
    static constexpr ColumnSpec textoDia = ColumnSpec::text("TEXTODIA", 20);
    static constexpr ColumnSpec hora = ColumnSpec::text("HORA", 8);
    static constexpr ColumnSpec horaDesde = ColumnSpec::text("HORADESDE", 8);
    static constexpr ColumnSpec horaHasta = ColumnSpec::text("HORAHASTA", 8);
    static constexpr ColumnSpec minutos = ColumnSpec::text("MINUTOS", 8);
    static constexpr ColumnSpec columns[] = {diho, codDiho,   dia,       textoDia,
                                             hora, horaDesde, horaHasta, minutos};
    static constexpr TableSchema table{"DIASHORAST", columns};
};

// The computed timetable, written by the host: the columns the export reads, as the host stores
// them. Other columns it may hold are left alone.
struct Timetable {
    static constexpr ColumnSpec dia = ColumnSpec::integer("DIA");
    static constexpr ColumnSpec hora = ColumnSpec::integer("HORA");
    static constexpr ColumnSpec prof = ColumnSpec::text("PROF", 10);
    static constexpr ColumnSpec codGrupo = ColumnSpec::text("CODGRUPO", 10);
    static constexpr ColumnSpec tarea = ColumnSpec::text("TAREA", 10);
    static constexpr ColumnSpec asig = ColumnSpec::text("ASIG", 10);
    static constexpr ColumnSpec aula = ColumnSpec::text("AULA", 10);
    static constexpr ColumnSpec columns[] = {dia, hora, prof, codGrupo, tarea, asig, aula};
    static constexpr TableSchema table{"SOLUC", columns};
};

} // namespace schema

} // namespace tts::tables
