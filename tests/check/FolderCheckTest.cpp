#include "check/FolderCheck.h"
#include "base/LocatedError.h"
#include "base/Windows1252.h"
#include "export/TimetableExport.h"
#include "import/ImportRun.h"
#include "tables/WorkTable.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FixedColumnLine.h"
#include "tests/support/ForkedChild.h"
#include "tests/support/RecordingRunHost.h"
#include "tests/support/TempFolder.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <gtest/gtest.h>

namespace tts::check {

namespace {

namespace fs = std::filesystem;
using tts::test::columns;
using tts::test::crlfLines;
using tts::test::readBytes;
using tts::test::TempFolder;
using tts::test::writeBytes;
using tts::test::writeLines;

std::string header(const char* name) {
    return "0" + std::string(name);
}

// A small school without a fault: every file, a header line in each, codes that meet.
void writeSchool(const TempFolder& sice) {
    writeLines(sice.file("sice_asignat.txt"),
               {header("SICE_ASIGNAT.TXT"), columns({{2, "MAT"}, {6, "MATEMATICAS"}}),
                columns({{2, "LEN"}, {6, "LENGUA"}})});
    writeLines(
        sice.file("SICE_ACTIVIDADES.TXT"),
        {header("SICE_ACTIVIDADES.TXT"), columns({{2, "GUA"}, {6, "Guardia"}, {66, "GUA"}})});
    writeLines(sice.file("sice_prof.txt"),
               {header("SICE_PROF.TXT"), columns({{2, "JPG"}, {6, "P\xE9rez"}}),
                columns({{2, "ALR"}, {6, "L\xF3pez"}})});
    writeLines(sice.file("sice_aulas.txt"),
               {header("SICE_AULAS.TXT"), columns({{2, "A101"}, {12, "A1"}})});
    writeLines(sice.file("sice_grupo.txt"),
               {header("SICE_GRUPOS.TXT"),
                columns({{2, "1ESOA"}, {12, "1A"}, {16, "ESO"}, {22, "1"}, {35, "M"}}),
                columns({{2, "1ESOB"}, {12, "1B"}, {16, "ESO"}, {22, "1"}, {35, "M"}})});
    writeLines(sice.file("sice_asignatgrupo.txt"),
               {header("SICE_ASIGNATGRUPO.TXT"), columns({{2, "1ESOA"}, {16, "MAT"}}),
                columns({{2, "1ESOB"}, {16, "LEN"}})});
    writeLines(sice.file("sice_asignatcurso.txt"),
               {header("SICE_ASIGNATCURSO.TXT"),
                columns({{2, "ESO"}, {8, "1"}, {24, "MAT"}, {28, "4"}}),
                columns({{2, "ESO"}, {8, "1"}, {24, "LEN"}, {28, "3,5"}})});
    writeLines(sice.file("sice_sesiones.txt"),
               {header("SICE_SESIONES.TXT"),
                columns({{5, "0001"}, {9, "L"}, {10, "0800"}, {14, "0855"}}),
                columns({{5, "0002"}, {9, "L"}, {10, "0855"}, {14, "0950"}})});
}

// Every finding as the user reads it, notes marked.
std::vector<std::string> shown(const CheckReport& report) {
    std::vector<std::string> lines;
    for (const Finding& f : report.findings)
        lines.push_back((f.note ? "nota: " : "") + textForDisplay(findingLine(f)));
    return lines;
}

void replaceBytes(const std::string& path, const std::string& from, const std::string& to) {
    std::string bytes = readBytes(path);
    const size_t at = bytes.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    writeBytes(path, bytes.replace(at, from.size(), to));
}

struct Case {
    const char* name;
    std::function<void(const TempFolder&)> plant;
    std::vector<std::string> expected;
    bool stops; // the check exits 1
};

} // namespace

// Twenty-five repeats of one teacher's code: twenty notes, then how many more.
std::vector<std::string> cappedRepeats() {
    std::vector<std::string> notes;
    for (int line = 4; line < 24; ++line)
        notes.push_back("nota: sice_prof.txt:" + std::to_string(line) +
                        ": código 'jpg' repetido: se descarta esta línea; vale la de la línea 2");
    notes.push_back("nota: sice_prof.txt:24: y 5 códigos repetidos más (desde esta línea)");
    return notes;
}

TEST(FolderCheck, EachKindOfProblemGivesItsLine) {
    const std::vector<Case> cases = {
#ifndef _WIN32 // a Windows folder cannot hold both names
        {"two names that differ only in letter case",
         [](const TempFolder& s) {
             writeLines(s.file("SICE_PROF.TXT"), {header("SICE_PROF.TXT"), columns({{2, "ZZZ"}})});
         },
         {"sice_prof.txt: se usa sice_prof.txt; se deja aparte SICE_PROF.TXT, que solo difiere "
          "en mayúsculas y minúsculas"},
         false},
#endif
        {"repeats beyond twenty are counted, not listed",
         [](const TempFolder& s) {
             writeBytes(s.file("sice_prof.txt"),
                        readBytes(s.file("sice_prof.txt")) +
                            crlfLines(std::vector<std::string>(25, columns({{2, "jpg"}}))));
         },
         cappedRepeats(), false},
        {"clean", [](const TempFolder&) {}, {}, false},
        {"a required file saved without data lines",
         [](const TempFolder& s) {
             writeLines(s.file("sice_aulas.txt"), {header("SICE_AULAS.TXT"), "9SICE_AULAS.TXT"});
         },
         {"sice_aulas.txt: no tiene líneas con datos; lo usa la importación (AULAT): su tabla se "
          "reharía sin sus filas; expórtelo de nuevo desde SICE"},
         true},
        {"an empty sessions file stops the export",
         [](const TempFolder& s) { writeBytes(s.file("sice_sesiones.txt"), ""); },
         {"sice_sesiones.txt: no tiene líneas con datos; lo usa la importación (DIASHORAST) y la "
          "exportación: su tabla se reharía sin sus filas; expórtelo de nuevo desde SICE",
          "sice_sesiones.txt: la exportación se detendría: List index out of bounds (1) "
          "(necesita al menos dos líneas)"},
         true},
        {"a sessions file of one line stops the export too",
         [](const TempFolder& s) {
             writeLines(s.file("sice_sesiones.txt"),
                        {columns({{5, "0001"}, {9, "L"}, {10, "0800"}, {14, "0855"}})});
         },
         {"sice_sesiones.txt: la exportación se detendría: List index out of bounds (1) "
          "(necesita al menos dos líneas)"},
         true},
        {"missing required file",
         [](const TempFolder& s) { fs::remove(s.file("sice_prof.txt")); },
         {"sice_prof.txt: falta; lo usa la importación (PROFT)"},
         true},
        {"missing optional file",
         [](const TempFolder& s) { fs::remove(s.file("sice_asignatcurso.txt")); },
         {"sice_asignatcurso.txt: no está; lo usa la importación (horas de ASIGT, opcional)"},
         false},
        {"found under another letter case",
         [](const TempFolder& s) {
             // Through another name: Wine keeps the old spelling on a rename by case alone.
             fs::rename(s.file("sice_aulas.txt"), s.file("aulas.tmp"));
             fs::rename(s.file("aulas.tmp"), s.file("SICE_AULAS.TXT"));
             replaceBytes(s.file("SICE_AULAS.TXT"), "\r\n", "\xEF\xBB\xBF\r\n");
         },
         {"SICE_AULAS.TXT:1: texto en UTF-8 donde se espera Windows-1252: cada letra acentuada "
          "ocupa dos bytes y desplaza las columnas (1 línea así)"},
         true},
        {"byte-order mark",
         [](const TempFolder& s) {
             writeBytes(s.file("sice_aulas.txt"),
                        "\xEF\xBB\xBF" + readBytes(s.file("sice_aulas.txt")));
         },
         {"sice_aulas.txt:1: empieza con la marca de orden de bytes de UTF-8 (EF BB BF): la "
          "primera línea deja de ser cabecera y las columnas se desplazan"},
         true},
        {"UTF-8 text",
         [](const TempFolder& s) {
             replaceBytes(s.file("sice_prof.txt"), "L\xF3pez", "L\xC3\xB3pez");
         },
         {"sice_prof.txt:3: texto en UTF-8 donde se espera Windows-1252: cada letra acentuada "
          "ocupa dos bytes y desplaza las columnas (1 línea así)"},
         true},
        {"CR-only line ends in a line-by-line file",
         [](const TempFolder& s) {
             std::string b = readBytes(s.file("sice_grupo.txt"));
             for (size_t at; (at = b.find("\r\n")) != std::string::npos;)
                 b.replace(at, 2, "\r");
             writeBytes(s.file("sice_grupo.txt"), b);
         },
         // Read as one header line, the file holds no data line either.
         {"sice_grupo.txt: no tiene líneas con datos; lo usa la importación (GRUPOST): su tabla "
          "se reharía sin sus filas; expórtelo de nuevo desde SICE",
          "sice_grupo.txt: los finales de línea son sólo CR: la lectura línea a línea lo toma "
          "como una sola línea y se pierden 3 líneas",
          "sice_asignatgrupo.txt:2: grupo '1ESOA' (columnas 2-11) no está en sice_grupo.txt",
          "sice_asignatgrupo.txt:3: grupo '1ESOB' (columnas 2-11) no está en sice_grupo.txt"},
         true},
        {"mixed line ends",
         [](const TempFolder& s) { replaceBytes(s.file("sice_prof.txt"), "\r\n", "\n"); },
         {"sice_prof.txt: finales de línea mezclados: 2 CR LF y 1 LF solos"},
         false},
        {"stray CR in a whole-file file",
         [](const TempFolder& s) { replaceBytes(s.file("sice_sesiones.txt"), "0001", "00\r1"); },
         {"sice_sesiones.txt:2: CR suelto dentro de la línea: parte la línea en dos (1 en el "
          "archivo)",
          "sice_sesiones.txt:2: columnas 14-17 (hora de fin): la importación se detendría: '' "
          "no es un valor entero válido",
          "sice_sesiones.txt:2: columnas 10-13 (hora de inicio): la importación se detendría: "
          "'' no es un valor entero válido",
          "sice_sesiones.txt:3: columnas 14-17 (hora de fin): la importación se detendría: '' "
          "no es un valor entero válido"},
         true},
        {"Ctrl-Z at the start of a line (copy a+b)",
         [](const TempFolder& s) {
             writeBytes(s.file("sice_grupo.txt"), readBytes(s.file("sice_grupo.txt")) + "\x1A" +
                                                      readBytes(s.file("sice_grupo.txt")));
         },
         {"sice_grupo.txt:4: Ctrl-Z al principio de la línea: la lectura termina aquí y se "
          "pierden 3 líneas con datos"},
         true},
        {"Ctrl-Z inside a line",
         [](const TempFolder& s) { replaceBytes(s.file("sice_prof.txt"), "P\xE9rez", "P\x1Arez"); },
         {"sice_prof.txt:2: Ctrl-Z en la columna 7: se pierde el resto de la línea"},
         true},
        {"NUL in a whole-file file",
         [](const TempFolder& s) {
             replaceBytes(s.file("sice_asignatcurso.txt"), "ASIGNATCURSO.TXT\r\n",
                          std::string("ASIGNATCURSO.TXT\r\n\0", 19));
         },
         {"sice_asignatcurso.txt:2: byte NUL: la lectura del archivo termina aquí y se pierden 2 "
          "líneas con datos"},
         true},
        {"trailing Ctrl-Z in the sessions",
         [](const TempFolder& s) {
             writeBytes(s.file("sice_sesiones.txt"),
                        readBytes(s.file("sice_sesiones.txt")) + "\x1A");
         },
         {"sice_sesiones.txt:4: columnas 14-17 (hora de fin): la importación se detendría: '' no "
          "es un valor entero válido (la línea está vacía o sólo tiene caracteres de control, "
          "como un Ctrl-Z final)",
          "sice_sesiones.txt:4: columnas 10-13 (hora de inicio): la importación se detendría: '' "
          "no es un valor entero válido (la línea está vacía o sólo tiene caracteres de control, "
          "como un Ctrl-Z final)"},
         true},
        {"every bad time, not only the first",
         [](const TempFolder& s) {
             replaceBytes(s.file("sice_sesiones.txt"), "0855\r\n", "08h5\r\n");
             replaceBytes(s.file("sice_sesiones.txt"), "0950", "9.50");
         },
         {"sice_sesiones.txt:2: columnas 14-17 (hora de fin): la importación se detendría: "
          "'08h5' no es un valor entero válido",
          "sice_sesiones.txt:3: columnas 14-17 (hora de fin): la importación se detendría: "
          "'9.50' no es un valor entero válido"},
         true},
        {"hours that an assignment uses; unused ones do not stop",
         [](const TempFolder& s) {
             replaceBytes(s.file("sice_asignatcurso.txt"), "3,5", "3,,5");
             writeBytes(
                 s.file("sice_asignatcurso.txt"),
                 readBytes(s.file("sice_asignatcurso.txt")) +
                     crlfLines({columns({{2, "BAC"}, {8, "2"}, {24, "MAT"}, {28, "x"}}),
                                columns({{2, "ESO"}, {8, "1"}, {24, "MAT"}, {28, "1E25"}})}));
             replaceBytes(s.file("sice_asignatcurso.txt"), "MAT 4", "MAT -1E30");
         },
         {"sice_asignatcurso.txt:3: columnas 28-33 (horas semanales): la importación se "
          "detendría: '3..5' no es un valor punto flotante válido"},
         true},
        {"hours too large for the column",
         [](const TempFolder& s) { replaceBytes(s.file("sice_asignatcurso.txt"), "3,5", "1E20"); },
         {"sice_asignatcurso.txt:3: columnas 28-33 (horas semanales): la importación se "
          "detendría: El valor 1E20 no cabe en el campo 'HORAS'"},
         true},
        {"repeated codes are notes",
         [](const TempFolder& s) {
             writeBytes(s.file("sice_prof.txt"),
                        readBytes(s.file("sice_prof.txt")) + crlfLines({columns({{2, "jpg"}})}));
             writeBytes(s.file("SICE_ACTIVIDADES.TXT"), readBytes(s.file("SICE_ACTIVIDADES.TXT")) +
                                                            crlfLines({columns({{2, "gua"}})}));
         },
         {"nota: SICE_ACTIVIDADES.TXT:3: código '*gua' repetido: se descarta esta línea; vale la "
          "de la línea 2",
          "nota: sice_prof.txt:4: código 'jpg' repetido: se descarta esta línea; vale la de la "
          "línea 2"},
         false},
        {"references that find nothing",
         [](const TempFolder& s) {
             writeBytes(s.file("sice_asignatgrupo.txt"),
                        readBytes(s.file("sice_asignatgrupo.txt")) +
                            crlfLines({columns({{2, "2ESOZ"}, {16, "FIS"}})}));
             writeBytes(s.file("sice_asignatcurso.txt"),
                        readBytes(s.file("sice_asignatcurso.txt")) +
                            crlfLines({columns({{2, "ESO"}, {8, "1"}, {24, "QUI"}, {28, "2"}})}));
         },
         {"sice_asignatgrupo.txt:4: grupo '2ESOZ' (columnas 2-11) no está en sice_grupo.txt",
          "sice_asignatgrupo.txt:4: asignatura 'FIS' (columnas 16-19) no está en sice_asignat.txt",
          "sice_asignatcurso.txt:4: asignatura 'QUI' (columnas 24-27) no está en "
          "sice_asignat.txt"},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder sice;
        writeSchool(sice);
        c.plant(sice);
        const CheckReport report = checkFolder(sice.path(), "");
        EXPECT_TRUE(report.folderFound);
        EXPECT_EQ(shown(report), c.expected);
        EXPECT_EQ(report.stopping() > 0, c.stops);
    }
}

TEST(FolderCheck, TheExampleSchoolHasNoFinding) {
    const CheckReport report = checkFolder(std::string(TTS_SOURCE_DIR) + "/examples/sice", "");
    EXPECT_EQ(report.stopping(), 0);
    EXPECT_EQ(report.warnings(), 0);
    EXPECT_EQ(report.notes(), 4); // its planted repeats: the first line of a code wins
    for (const FileStatus& file : report.files)
        EXPECT_FALSE(file.storedName.empty()) << file.name;
}

// The check and the import read the files through the same layouts: on a value that stops the
// import, the check's first stopping finding names the same file, line and columns; on a
// value the import takes, the check finds nothing that would stop it.
TEST(FolderCheck, NamesTheValueTheImportStopsOn) {
    const auto sessions = [](const TempFolder& s, std::vector<std::string> lines) {
        lines.insert(lines.begin(), header("SICE_SESIONES.TXT"));
        writeLines(s.file("sice_sesiones.txt"), lines);
    };
    const auto courseHours = [](const TempFolder& s, const std::string& hours) {
        writeLines(s.file("sice_asignatcurso.txt"),
                   {header("SICE_ASIGNATCURSO.TXT"),
                    columns({{2, "ESO"}, {8, "1"}, {24, "MAT"}, {28, "4"}}),
                    columns({{2, "ESO"}, {8, "1"}, {24, "LEN"}, {28, hours}})});
    };
    const std::vector<std::pair<const char*, std::function<void(const TempFolder&)>>> cases = {
        {"end time",
         [&](const TempFolder& s) {
             sessions(s, {columns({{5, "0001"}, {9, "L"}, {10, "0800"}, {14, "0855"}}),
                          columns({{5, "0002"}, {9, "L"}, {10, "0855"}, {14, "9:50"}})});
         }},
        {"start time",
         [&](const TempFolder& s) {
             sessions(s, {columns({{5, "0001"}, {9, "L"}, {10, "08h0"}, {14, "0855"}})});
         }},
        {"both times: the end time is named",
         [&](const TempFolder& s) {
             sessions(s, {columns({{5, "0001"}, {9, "L"}, {10, "08h0"}, {14, "08h5"}})});
         }},
        {"a blank line after the slots",
         [&](const TempFolder& s) {
             sessions(s, {columns({{5, "0001"}, {9, "L"}, {10, "0800"}, {14, "0855"}}), ""});
         }},
        {"hours that are no number", [&](const TempFolder& s) { courseHours(s, "3.5.1"); }},
        {"hours too large for the table", [&](const TempFolder& s) { courseHours(s, "1e30"); }},
        {"hours below one are one hour, however large",
         [&](const TempFolder& s) { courseHours(s, "-1e30"); }},
    };
    for (const auto& [name, plant] : cases) {
        SCOPED_TRACE(name);
        TempFolder sice, work;
        writeSchool(sice);
        plant(sice);

        std::optional<ValueLocation> where;
        try {
            tts::test::RecordingRunHost host;
            import::runImport(host, sice.path(), work.path());
        } catch (const LocatedError& error) {
            where = error.where();
        }
        const CheckReport report = checkFolder(sice.path(), "");
        auto first = std::find_if(report.findings.begin(), report.findings.end(),
                                  [](const Finding& f) { return f.stops; });
        ASSERT_EQ(first != report.findings.end(), where.has_value());
        if (!where)
            continue;
        EXPECT_EQ(sice.file(first->file), where->file);
        EXPECT_EQ(first->line, where->line);
        EXPECT_EQ(first->text.substr(0, where->place.size() + 2), where->place + " (")
            << first->text;
    }
}

TEST(FolderCheck, MissingFolder) {
    TempFolder root;
    const CheckReport report = checkFolder(root.file("none"), "");
    EXPECT_FALSE(report.folderFound);
    EXPECT_TRUE(report.findings.empty());
}

#ifndef _WIN32 // file modes and forked children of another user
// Folders the check may not read, as an ordinary user meets them (root reads everything): said
// once, as a finding, never an uncaught error.
TEST(FolderCheck, FoldersItMayNotReadAreFindings) {
    TempFolder siceFolder, workFolder;
    writeSchool(siceFolder);
    const std::string sice = siceFolder.path(), work = workFolder.path();
    struct Mode {
        const char* name;
        mode_t sice, work;
        std::vector<std::string> expected;
        bool stops;
    };
    const std::vector<Mode> modes = {
        {"SICE folder closed",
         0,
         0755,
         {sice + ": no se puede leer la carpeta SICE (acceso denegado): los trabajos se "
                 "detendrían al buscar sus archivos"},
         true},
        {"SICE folder that may be entered, not listed",
         0111,
         0755,
         {sice + ": no se puede leer la carpeta SICE (acceso denegado): solo se abren los "
                 "archivos escritos exactamente como se piden"},
         false},
        {"work folder closed",
         0755,
         0,
         {work + ": no se puede leer la carpeta de trabajo (acceso denegado): la exportación "
                 "se detendría"},
         true},
    };
    for (const Mode& m : modes) {
        SCOPED_TRACE(m.name);
        ::chmod(sice.c_str(), m.sice);
        ::chmod(work.c_str(), m.work);
        const bool withWork = m.work != 0755;
        const test::ChildOutcome child = test::runInChild(
            [&] {
                const CheckReport report = checkFolder(sice, withWork ? work : "");
                std::string said = report.stopping() > 0 ? "stops" : "goes";
                for (const std::string& line : shown(report))
                    said += "|" + line;
                return said;
            },
            test::ChildUser::Nobody);
        ::chmod(sice.c_str(), 0755);
        ::chmod(work.c_str(), 0755);
        if (child.exitCode == test::ForkedChild::kNotNobody)
            GTEST_SKIP() << "cannot become an unprivileged user here";
        ASSERT_TRUE(child.exitedNormally) << child.report;
        std::string expected = m.stops ? "stops" : "goes";
        for (const std::string& line : m.expected)
            expected += "|" + line;
        EXPECT_EQ(child.report, expected);
    }
}
#endif

// The export's view: the school imported, then a timetable written beside its tables.
class ExportView : public ::testing::Test {
protected:
    void SetUp() override {
        writeSchool(sice_);
        tts::test::RecordingRunHost host;
        import::runImport(host, sice_.path(), work_.path());
    }
    struct Row {
        std::string day, period, group, task, room, teacher = "";
    };
    void writeSoluc(const std::vector<Row>& rows) {
        using S = tables::schema::Timetable;
        // DIA kept as text, as a host may keep it, so that a row can hold a day that is no number.
        std::vector<tables::Column> columns = S::table.definition();
        for (tables::Column& column : columns)
            if (column.name == S::dia.name)
                column = tables::Column::text(S::dia.name, 4);
        tables::WorkTable t = tables::WorkTable::createAfresh(work_.path(), S::table.name, columns);
        for (const Row& r : rows) {
            t.append();
            t.writeText(t.column(S::dia), r.day);
            t.writeText(t.column(S::hora), r.period);
            t.writeText(t.column(S::codGrupo), r.group);
            t.writeText(t.column(S::tarea), r.task);
            t.writeText(t.column(S::aula), r.room);
            t.writeText(t.column(S::prof), r.teacher);
            t.post();
        }
        t.close();
    }
    CheckReport check() { return checkFolder(sice_.path(), work_.path()); }

    TempFolder sice_, work_;
};

TEST_F(ExportView, UnknownCodesMostFrequentFirstAndEmptyCodesApart) {
    writeSoluc({{"1", "1", "1ESOA", "", "A101"},
                {"1", "2", "4ESOX", "*XYZ", ""},
                {"1", "2", "3ESOQ", "", "A101"},
                {"1", "9", "3ESOQ", "", "A101"},
                {"0", "9", "NOSE", "", ""}}); // no day: not exported, not looked at
    const CheckReport report = check();
    EXPECT_EQ(shown(report),
              (std::vector<std::string>{
                  "SOLUC.DBF:3: grupo '3ESOQ' no está en GRUPOST (2 filas)",
                  "SOLUC.DBF:2: grupo '4ESOX' no está en GRUPOST (1 fila)",
                  "SOLUC.DBF:2: tarea '*XYZ' no está en ASIGNOMT (se escribe LEC) (1 fila)",
                  "SOLUC.DBF:4: día/hora 'L/9' no está en DIASHORAST (código de tramo en "
                  "blanco) (1 fila)",
              }));
    EXPECT_EQ(report.emptyCodes.tasks, 3);
    EXPECT_EQ(report.emptyCodes.rooms, 1);
    EXPECT_EQ(report.emptyCodes.groups, 0);
    EXPECT_EQ(report.stopping(), 0);
}

// What the export would write wrong without stopping: nothing at all, and values that push the
// rest of their line to the right (beside a control byte, said as the export's rule says it).
TEST_F(ExportView, EmptyTimetableLongValuesAndControlBytes) {
    writeSoluc({});
    EXPECT_EQ(shown(check()),
              std::vector<std::string>{"SOLUC.DBF: no tiene filas: la exportación sustituiría el "
                                       "horario anterior por uno vacío"});
    EXPECT_EQ(check().stopping(), 1);

    std::vector<Row> rows = {{"1", "1", "1ESOA", "", "A101", "LONGPROFXX"},
                             {"1", "2", "1ESOA", "", "A101", "LONGPROFXX"},
                             {"1", "1", "1ESOA", "", "A101", "P\x01X"},
                             {"10", "1", "1ESOA", "", "A101", "JPG"}};
    // 21 more long values: 23 in all, of which 20 are listed and the rest counted.
    for (int n = 10; n <= 30; ++n)
        rows.push_back({"1", "1", "1ESOA", "", "A101", "LONGPROF" + std::to_string(n)});
    writeSoluc(rows);
    const CheckReport report = check();
    const std::vector<std::string> lines = shown(report);
    for (const char* expected : {
             "SOLUC.DBF:1: profesor 'LONGPROFXX' no cabe en su columna: se escribe entero y SICE "
             "leerá mal la línea (2 filas)",
             "SOLUC.DBF:4: día '10' no cabe en su columna: se escribe entero y SICE leerá mal la "
             "línea (1 fila)",
             "SOLUC.DBF:3: campo PROF: el valor lleva el byte de control 0x01, que se escribe tal "
             "cual en SICE_HORARIO.TXT",
             "SOLUC.DBF: y 3 valores más que no caben en su columna: se escriben enteros y SICE "
             "leerá mal sus líneas",
         })
        EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end())
            << expected << "\n"
            << testing::PrintToString(lines);
    EXPECT_EQ(report.stopping(), 0);
}

TEST_F(ExportView, DayCodingThatDiffersFromDiashorastAndADayThatIsNoNumber) {
    writeSoluc({{"1", "1", "1ESOA", "", "A101"}, {"x", "1", "1ESOA", "", "A101"}});
    // The sessions now code their days as digits; DIASHORAST still holds the letters.
    replaceBytes(sice_.file("sice_sesiones.txt"), "0001L", "00011");
    const CheckReport report = check();
    const std::vector<std::string> lines = shown(report);
    // The slot that misses because of it is not listed again: the first line names the cause.
    ASSERT_EQ(lines.size(), 2u) << testing::PrintToString(lines);
    EXPECT_EQ(lines[0], "sice_sesiones.txt:2: los días van con números y DIASHORAST los tiene "
                        "con letras: ningún tramo de SOLUC tendrá código; vuelva a importar");
    EXPECT_EQ(lines[1].rfind("SOLUC.DBF:2: campo DIA: la exportación se detendría: ", 0), 0u)
        << lines[1];
    EXPECT_EQ(report.stopping(), 2);
}

// A CR, LF or Ctrl-Z would break SICE_HORARIO.TXT and stops the export, as the check says;
// another control byte is written as it stands, with a warning.
TEST_F(ExportView, ControlBytesThatWouldBreakALineStopTheExportOthersAreWarned) {
    writeSoluc({{"1", "1", "1ESOA", "", "A101"},
                {"1", "1", "1ES\r", "", "A101"},
                {"1", "2", "1ESOA", "", "A1\x1A"},
                {"1", "2",
                 "\x7F"
                 "1E",
                 "", "A101"},
                {"1\r", "1", "1ESOA", "", "A101"}});
    const CheckReport report = check();
    const std::vector<std::string> lines = shown(report);
    const std::string stops = ": la exportación se detendría: El valor lleva ";
    const std::string breaks = ", que no puede ir en una línea de SICE_HORARIO.TXT";
    for (const std::string& expected :
         {"SOLUC.DBF:2: campo CODGRUPO" + stops + "un retorno de carro (CR)" + breaks,
          "SOLUC.DBF:3: campo AULA" + stops + "una marca de fin de archivo (Ctrl-Z)" + breaks,
          "SOLUC.DBF:5: campo DIA" + stops + "un retorno de carro (CR)" + breaks,
          std::string("SOLUC.DBF:4: campo CODGRUPO: el valor lleva el byte de control 0x7F, que "
                      "se escribe tal cual en SICE_HORARIO.TXT")})
        EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end())
            << expected << "\n"
            << testing::PrintToString(lines);
    EXPECT_EQ(report.stopping(), 3);
}

TEST_F(ExportView, MissingTableWouldStopTheExportAndNothingIsWritten) {
    const std::vector<std::string> before = [&] {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(work_.path()))
            names.push_back(e.path().filename().string() + ":" + readBytes(e.path().string()));
        std::sort(names.begin(), names.end());
        return names;
    }();
    const CheckReport report = check();
    ASSERT_EQ(report.findings.size(), 1u);
    EXPECT_EQ(report.findings[0].file, "SOLUC.DBF");
    EXPECT_TRUE(report.findings[0].stops);
    std::vector<std::string> after;
    for (const auto& e : fs::directory_iterator(work_.path()))
        after.push_back(e.path().filename().string() + ":" + readBytes(e.path().string()));
    std::sort(after.begin(), after.end());
    EXPECT_EQ(after, before);
}

// The export opens the teachers' table with the others though it never reads it: without it the
// export stops, so the check says so too.
TEST_F(ExportView, MissingTeachersTableWouldStopTheExport) {
    writeSoluc({{"1", "1", "1ESOA", "", "A101"}});
    fs::remove(work_.file("PROFT.DBF"));
    const CheckReport report = check();
    ASSERT_EQ(report.findings.size(), 1u);
    EXPECT_EQ(report.findings[0].file, "PROFT.DBF");
    EXPECT_TRUE(report.findings[0].stops);
}

#ifndef _WIN32 // file modes and forked children of another user
// A work folder that may be entered but not listed: the export still opens the tables spelled
// exactly, so the check reads them too and only mentions the folder; a table stored under
// another spelling cannot be found there, and then the folder is what stops the export.
TEST_F(ExportView, WorkFolderThatMayNotBeListedStillOpensTablesSpelledExactly) {
    writeSoluc({{"1", "1", "1ESOA", "", "A101"}});
    const auto checkedByNobody = [&] {
        ::chmod(sice_.path().c_str(), 0755);
        ::chmod(work_.path().c_str(), 0111);
        const test::ChildOutcome child = test::runInChild(
            [&] {
                const CheckReport report = check();
                std::string said = report.stopping() > 0 ? "stops" : "goes";
                for (const std::string& line : shown(report))
                    said += "|" + line;
                return said;
            },
            test::ChildUser::Nobody);
        ::chmod(work_.path().c_str(), 0755);
        return child;
    };
    const std::string unreadable =
        work_.path() + ": no se puede leer la carpeta de trabajo (acceso denegado): ";

    test::ChildOutcome child = checkedByNobody();
    if (child.exitCode == test::ForkedChild::kNotNobody)
        GTEST_SKIP() << "cannot become an unprivileged user here";
    ASSERT_TRUE(child.exitedNormally) << child.report;
    EXPECT_EQ(child.report, "goes|" + unreadable + "solo se abren las tablas escritas exactamente");

    fs::rename(work_.file("SOLUC.DBF"), work_.file("soluc.dbf"));
    child = checkedByNobody();
    ASSERT_TRUE(child.exitedNormally) << child.report;
    EXPECT_EQ(child.report, "stops|" + unreadable + "la exportación se detendría");
}
#endif

// A column the export needs and SOLUC lacks: the check says the export's own message.
TEST_F(ExportView, MissingColumnIsSaidAsTheExportSaysIt) {
    using S = tables::schema::Timetable;
    tables::WorkTable t = tables::WorkTable::createAfresh(
        work_.path(), S::table.name, {S::hora.definition(), S::aula.definition()});
    t.append();
    t.writeText(t.column(S::hora), "1");
    t.post();
    t.close();
    std::string stopped;
    try {
        tts::test::RecordingRunHost host;
        exporting::runExport(host, sice_.path(), work_.path());
    } catch (const Error& error) {
        stopped = error.message();
    }
    ASSERT_FALSE(stopped.empty());
    const CheckReport report = check();
    ASSERT_EQ(report.findings.size(), 1u);
    EXPECT_EQ(findingLine(report.findings[0]), "SOLUC.DBF: la exportaci\xF3n se detendr\xED"
                                               "a: " +
                                                   stopped);
}

// A table whose header declares another code page is read as stored; the check says so.
TEST_F(ExportView, CodePageOtherThanWindows1252IsAWarning) {
    writeSoluc({{"1", "1", "1ESOA", "", "A101"}});
    std::string bytes = readBytes(work_.file("SOLUC.DBF"));
    bytes[29] = '\x02'; // code page 850
    writeBytes(work_.file("SOLUC.DBF"), bytes);
    const CheckReport report = check();
    EXPECT_EQ(shown(report),
              (std::vector<std::string>{
                  "SOLUC.DBF: la cabecera declara la página de códigos 850 (código de idioma "
                  "0x02); el texto se toma tal como está guardado, en Windows-1252, y las letras "
                  "acentuadas pueden salir cambiadas"}));
    EXPECT_EQ(report.stopping(), 0);
}

} // namespace tts::check
