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
        namespace schema = tables::schema;
        {
            using G = schema::Groups;
            auto t = tables::WorkTable::createAfresh(work.path(), G::table);
            addRow(t, {{G::abrev, "1ESOA"}, {G::abrevCorta, "1A"}});
            addRow(t, {{G::abrev, "2BACH-CIEN"}, {G::abrevCorta, "2BC"}});
            addRow(t, {{G::abrev, "1ESOA"}, {G::abrevCorta, "XX"}}); // a repeat never wins
            t.close();
        }
        {
            auto t = tables::WorkTable::createAfresh(work.path(), schema::Teachers::table);
            addRow(t, {{schema::Teachers::abrev, "P001"}});
            t.close();
        }
        {
            using R = schema::Rooms;
            auto t = tables::WorkTable::createAfresh(work.path(), R::table);
            addRow(t, {{R::abrev, "LAB-FIS"}, {R::abrevCorta, "LABF"}});
            addRow(t, {{R::abrev, "AULA1"}, {R::abrevCorta, "A1"}});
            t.close();
        }
        {
            using S = schema::Subjects;
            auto t = tables::WorkTable::createAfresh(work.path(), S::table);
            addRow(t, {{S::cod, "MAT"}});
            addRow(t, {{S::cod, "LEN"}});
            addRow(t, {{S::cod, "*GUA"}, {S::codTarea, "GUARD"}});
            t.close();
        }
        createSlots({{"C01", "L", "1"}, {"C02", "L", "2"}, {"C11", "M", "1"}});
    }

    struct Slot {
        std::string code, day, period;
    };
    void createSlots(const std::vector<Slot>& slots) {
        using S = tables::schema::Slots;
        auto t = tables::WorkTable::createAfresh(work.path(), S::table);
        for (const Slot& s : slots)
            addRow(t, {{S::diho, s.day + s.period},
                       {S::codDiho, s.code},
                       {S::dia, s.day},
                       {S::hora, s.period}});
        t.close();
    }

    void createSoluc(const std::vector<SolucFixtureRow>& rows) {
        using S = tables::schema::Timetable;
        auto t = tables::WorkTable::createAfresh(work.path(), S::table);
        const tables::ColumnHandle dia = t.column(S::dia), hora = t.column(S::hora),
                                   prof = t.column(S::prof), codGrupo = t.column(S::codGrupo),
                                   tarea = t.column(S::tarea), asig = t.column(S::asig),
                                   aula = t.column(S::aula);
        for (const SolucFixtureRow& r : rows) {
            t.append();
            if (r.day)
                t.writeFloat(dia, *r.day);
            t.writeFloat(hora, r.period);
            t.writeText(prof, r.teacher);
            t.writeText(codGrupo, r.group);
            t.writeText(tarea, r.task);
            t.writeText(asig, r.subject);
            t.writeText(aula, r.room);
            t.post();
        }
        t.close();
    }

    std::string outputPath() const { return sice.file("SICE_HORARIO.TXT"); }
    std::string output() const { return readBytes(outputPath()); }

private:
    static void addRow(tables::WorkTable& t,
                       const std::vector<std::pair<tables::DeclaredColumn, std::string>>& values) {
        t.append();
        for (const auto& [column, value] : values)
            t.writeText(t.column(column), value);
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
