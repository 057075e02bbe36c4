#pragma once

#include "export/TimetableExport.h"
#include "tables/WorkTable.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tts::test {

// A SOLUC row as the host writes it with numeric DIA and HORA; no day leaves DIA blank.
struct SolucFixtureRow {
    std::optional<int32_t> day;
    int32_t period = 0;
    std::string teacher, group, task, subject, room;
};

// The SICE folder and the work folder of one export, with the import's four lookup tables
// holding a small school: groups 1ESOA/1A and 2BACH-CIEN/2BC, rooms LAB-FIS/LABF and AULA1/A1,
// subjects MAT and LEN (no task code) and the activity *GUA (task GUARD), slots C01 and C02 on
// Monday periods 1 and 2 and C11 on Tuesday period 1, coded with letters.
class ExportFixture {
public:
    TempFolder sice;
    TempFolder work;

    // A header code "HC2024  " padded into columns 52-59 of sice_asignat.txt's header.
    static std::string subjectsHeader(const std::string& code) {
        std::string line = "0SICE_ASIGNAT.TXT";
        line.resize(51, ' ');
        return line + code + "010920241200";
    }

    // A sice_sesiones.txt slot line whose column 9 is `day`.
    static std::string sessionLine(const std::string& slot, char day, const std::string& from,
                                   const std::string& to) {
        return "1   " + slot + std::string(1, day) + from + to;
    }

    void writeSubjects(const std::vector<std::string>& lines) {
        writeLines(sice.file("sice_asignat.txt"), lines);
    }
    void writeSessions(const std::vector<std::string>& lines) {
        writeLines(sice.file("sice_sesiones.txt"), lines);
    }

    void writeStandardSiceFiles() {
        writeSubjects({subjectsHeader("HC2024  "), "1MAT Matematicas", "9SICE_ASIGNAT.TXT"});
        writeSessions({"0SICE_SESIONES.TXT", sessionLine("C01 ", 'L', "0800", "0855")});
    }

    void createStandardTables() {
        using tables::Column;
        {
            auto t = tables::WorkTable::createAfresh(
                work.path(), "GRUPOST",
                {Column::text("ABREV", 10), Column::text("TURNO", 1), Column::text("NIVEL", 5),
                 Column::text("CURSO", 3), Column::text("GRUPO", 2), Column::text("UNIDAD", 10),
                 Column::text("DESCRIP", 80), Column::text("ABREVCORTA", 4)});
            addRow(t, {{"ABREV", "1ESOA"}, {"ABREVCORTA", "1A"}});
            addRow(t, {{"ABREV", "2BACH-CIEN"}, {"ABREVCORTA", "2BC"}});
            addRow(t, {{"ABREV", "1ESOA"}, {"ABREVCORTA", "XX"}}); // a repeat never wins
            t.close();
        }
        {
            auto t = tables::WorkTable::createAfresh(
                work.path(), "PROFT",
                {Column::text("ABREV", 10), Column::text("NOMBRE", 80), Column::text("DEPART", 40),
                 Column::integer("DNI")});
            addRow(t, {{"ABREV", "P001"}});
            t.close();
        }
        {
            auto t = tables::WorkTable::createAfresh(
                work.path(), "AULAT",
                {Column::text("ABREV", 10), Column::text("NOMBRE", 80), Column::text("EDIFICIO", 1),
                 Column::integer("MAXALUM"), Column::text("ABREVCORTA", 4)});
            addRow(t, {{"ABREV", "LAB-FIS"}, {"ABREVCORTA", "LABF"}});
            addRow(t, {{"ABREV", "AULA1"}, {"ABREVCORTA", "A1"}});
            t.close();
        }
        {
            auto t = tables::WorkTable::createAfresh(
                work.path(), "ASIGNOMT",
                {Column::text("COD", 10), Column::text("CODLARGO", 10), Column::text("NOMBRE", 80),
                 Column::boolean("ESTAREA"), Column::text("CODTAREA", 10)});
            addRow(t, {{"COD", "MAT"}});
            addRow(t, {{"COD", "LEN"}});
            addRow(t, {{"COD", "*GUA"}, {"CODTAREA", "GUARD"}});
            t.close();
        }
        createSlots({{"C01", "L", "1"}, {"C02", "L", "2"}, {"C11", "M", "1"}});
    }

    struct Slot {
        std::string code, day, period;
    };
    void createSlots(const std::vector<Slot>& slots) {
        using tables::Column;
        auto t = tables::WorkTable::createAfresh(
            work.path(), "DIASHORAST",
            {Column::text("DIHO", 10), Column::text("CODDIHO", 10), Column::text("DIA", 20),
             Column::text("TEXTODIA", 20), Column::text("HORA", 8), Column::text("HORADESDE", 8),
             Column::text("HORAHASTA", 8), Column::text("MINUTOS", 8)});
        for (const Slot& s : slots)
            addRow(t, {{"DIHO", s.day + s.period},
                       {"CODDIHO", s.code},
                       {"DIA", s.day},
                       {"HORA", s.period}});
        t.close();
    }

    void createSoluc(const std::vector<SolucFixtureRow>& rows) {
        using tables::Column;
        auto t = tables::WorkTable::createAfresh(
            work.path(), "SOLUC",
            {Column::integer("DIA"), Column::integer("HORA"), Column::text("PROF", 10),
             Column::text("CODGRUPO", 10), Column::text("TAREA", 10), Column::text("ASIG", 10),
             Column::text("AULA", 10)});
        for (const SolucFixtureRow& r : rows) {
            t.append();
            if (r.day)
                t.writeFloat("DIA", *r.day);
            t.writeFloat("HORA", r.period);
            t.writeText("PROF", r.teacher);
            t.writeText("CODGRUPO", r.group);
            t.writeText("TAREA", r.task);
            t.writeText("ASIG", r.subject);
            t.writeText("AULA", r.room);
            t.post();
        }
        t.close();
    }

    std::string outputPath() const { return sice.file("SICE_HORARIO.TXT"); }
    std::string output() const { return readBytes(outputPath()); }

private:
    static void addRow(tables::WorkTable& t,
                       const std::vector<std::pair<std::string, std::string>>& values) {
        t.append();
        for (const auto& [column, value] : values)
            t.writeText(column, value);
        t.post();
    }
};

// Always the same minute; counts how often it was asked.
struct FixedClock {
    exporting::LocalDateTime moment;
    int* calls = nullptr;
    exporting::LocalDateTime operator()() const {
        if (calls)
            ++*calls;
        return moment;
    }
};

} // namespace tts::test
