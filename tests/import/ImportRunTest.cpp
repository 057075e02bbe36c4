#include "import/ImportRun.h"
#include "ImportFixture.h"
#include "base/Error.h"

#include "tests/support/ErrorText.h"

#include <cstdio>
#include <functional>
#include <gtest/gtest.h>

namespace tts::import::test {

namespace {

const std::vector<std::string> kTables = {"ASIGNOMT", "PROFT", "AULAT",
                                          "GRUPOST",  "ASIGT", "DIASHORAST"};

// One small school, with each file name in a different letter case from the one asked for.
void writeSchool(const TempFolder& sice, bool withCourses = true) {
    writeLines(sice.file("SICE_ASIGNAT.TXT"),
               withFrame("SICE_ASIGNAT.TXT",
                         {columns({{2, "MAT"}, {6, "MATEMATICAS"}, {26, "Matem\xE1ticas"}}),
                          columns({{2, "LEN"}, {6, "LENGUA"}, {26, "Lengua castellana"}}),
                          columns({{2, "mat"}, {6, "REPETIDA"}})}));
    writeLines(sice.file("sice_actividades.txt"),
               {columns({{2, "GUA"}, {6, "Guardia"}, {66, "GUA"}})});
    writeLines(sice.file("Sice_Prof.txt"),
               {columns({{2, "JPG"}, {6, "P\xE9rez, Juan"}, {96, "Matem\xE1ticas"}}),
                columns({{2, "ALM"}, {6, "L\xF3pez, Ana"}, {96, "Lengua"}})});
    writeLines(sice.file("sice_aulas.txt"), {columns({{2, "A101"}, {12, "A1"}, {86, "Aula 1"}})});
    writeLines(
        sice.file("sice_grupo.txt"),
        {columns({{2, "1ESOA"}, {12, "1A"}, {16, "ESO"}, {22, "1"}, {25, "ESO A"}, {35, "M"}})});
    writeLines(sice.file("sice_asignatgrupo.txt"),
               {columns({{2, "1ESOA"}, {16, "MAT"}}), columns({{2, "1ESOA"}, {16, "LEN"}})});
    if (withCourses)
        writeLines(sice.file("sice_asignatcurso.txt"),
                   {columns({{2, "ESO"}, {8, "1"}, {24, "MAT"}, {28, "4"}})});
    writeLines(sice.file("sice_sesiones.txt"),
               {columns({{5, "0001"}, {9, "L"}, {10, "0800"}, {14, "0855"}}),
                columns({{5, "0002"}, {9, "L"}, {10, "0855"}, {14, "0950"}})});
}

void writeSentinels(const TempFolder& work) {
    for (const std::string& table : kTables)
        writeSentinelTable(work.path(), table);
}

std::vector<std::string> untouchedTables(const TempFolder& work) {
    std::vector<std::string> untouched;
    for (const std::string& table : kTables)
        if (isSentinelTable(work.path(), table))
            untouched.push_back(table);
    return untouched;
}

} // namespace

TEST(ImportRun, CompleteFolderRebuildsTheSixTables) {
    TempFolder sice, work;
    writeSchool(sice);
    writeSentinels(work);
    tts::test::RecordingRunHost host;
    ImportReport report;
    runImport(host, sice.path(), work.path(), &report);

    // The repeated "mat" is the one warning, after "Proceso finalizado".
    EXPECT_EQ(host.events,
              (std::vector<std::string>{"busy:on", "result:1", "busy:off",
                                        "message:Proceso finalizado", "warnings:1", "disable"}));
    EXPECT_EQ(host.warnings, report.warnings);
    EXPECT_EQ(host.result(), 1);
    EXPECT_TRUE(untouchedTables(work).empty());
    EXPECT_EQ(readColumn(work.path(), "ASIGNOMT", "COD"),
              (std::vector<std::string>{"MAT", "LEN", "*GUA"}));
    EXPECT_EQ(readColumn(work.path(), "ASIGT", "SESIONES"),
              (std::vector<std::string>{"1111", "1"}));
    EXPECT_EQ(readColumn(work.path(), "ASIGT", "NIVEL"), (std::vector<std::string>{"ESO", "ESO"}));
    EXPECT_EQ(readColumn(work.path(), "DIASHORAST", "DIHO"),
              (std::vector<std::string>{"L1", "L2"}));
    // Only the six tables remain: no staging file is left behind.
    std::vector<std::string> expectedFiles;
    for (const std::string& table : kTables)
        expectedFiles.push_back(table + ".DBF");
    std::sort(expectedFiles.begin(), expectedFiles.end());
    EXPECT_EQ(work.names(), expectedFiles);

    EXPECT_TRUE(report.folderFound);
    EXPECT_TRUE(report.finished);
    std::vector<std::string> summary;
    for (const TableReport& table : report.tables)
        summary.push_back(table.table + ":" + std::to_string(table.rebuilt) + ":" +
                          std::to_string(table.rowsWritten) + ":" +
                          std::to_string(table.repeatedCodes));
    EXPECT_EQ(summary,
              (std::vector<std::string>{"ASIGNOMT:1:3:1", "PROFT:1:2:0", "AULAT:1:1:0",
                                        "GRUPOST:1:1:0", "ASIGT:1:2:0", "DIASHORAST:1:2:0"}));
}

TEST(ImportRun, EmptyFolderReportsEveryStepAndTouchesNoTable) {
    TempFolder sice, work;
    writeSentinels(work);
    tts::test::RecordingRunHost host(true);
    ImportReport report;
    runImport(host, sice.path() + "/", work.path(), &report); // a separator already there

    EXPECT_EQ(host.messages, (std::vector<std::string>{
                                 "No existe archivo de asignaturas (SICE_ASIGNAT.TXT)",
                                 "No existe archivo de profesores (SICE_PROF.TXT)",
                                 "No existe archivo de aulas (SICE_AULAS.TXT)",
                                 "No existe archivo de grupos (SICE_GRUPO.TXT)",
                                 "No existe archivo de grupos (SICE_ASIGNATGRUPO.TXT)",
                                 "No existe archivo de grupos (SICE_SESIONES.TXT)",
                                 "Proceso finalizado",
                             }));
    EXPECT_EQ(host.result(), -1);
    EXPECT_EQ(untouchedTables(work), kTables);
    EXPECT_EQ(host.events.back(), "close"); // embedded: the window closes after the run
    EXPECT_TRUE(host.jobsDisabled);
    EXPECT_TRUE(report.finished);
    for (const TableReport& table : report.tables)
        EXPECT_FALSE(table.rebuilt) << table.table;
}

// Each warning comes from a fact the steps recorded, and names the file and the codes.
TEST(ImportRun, WarningsSayWhatTheTablesLack) {
    const std::vector<std::string> frameOnly = withFrame("SICE_ASIGNAT.TXT", {});
    struct Case {
        const char* name;
        std::function<void(const TempFolder&)> change;
        std::vector<std::string> inWarnings; // each in one warning line, in order
    };
    const std::vector<Case> cases = {
        {"repeats in two files, by file",
         [](const TempFolder& sice) {
             writeLines(sice.file("sice_actividades.txt"),
                        {columns({{2, "GUA"}, {66, "GUA"}}), columns({{2, "PE"}, {66, "X"}}),
                         columns({{2, "GUA"}, {66, "GUA"}}), columns({{2, "PE"}, {66, "X"}})});
         },
         {"sice_asignat.txt: 1 l\xEDnea", "'mat'",
          "SICE_ACTIVIDADES.TXT: 2 l\xEDneas con un c\xF3"
          "digo repetido se han dejado fuera (vale la primera): '*GUA', '*PE'"}},
        {"a subjects file saved empty",
         [&](const TempFolder& sice) { writeLines(sice.file("SICE_ASIGNAT.TXT"), frameOnly); },
         {"sice_asignat.txt no tiene l\xEDneas con datos: ASIGNOMT se ha rehecho sin ellas (1 "
          "fila)"}},
        {"an empty sessions file",
         [](const TempFolder& sice) { writeLines(sice.file("sice_sesiones.txt"), {}); },
         {"'mat'", "sice_sesiones.txt no tiene l\xEDneas con datos: DIASHORAST"}},
        {"no groups file",
         [](const TempFolder& sice) { std::remove(sice.file("sice_grupo.txt").c_str()); },
         {"'mat'", "No hay sice_grupo.txt: GRUPOST se queda como estaba"}},
#ifndef _WIN32
        {"two spellings of one name",
         [](const TempFolder& sice) {
             writeLines(sice.file("sice_prof.txt"), {columns({{2, "JPG"}})});
         },
         {"'mat'", "se usa sice_prof.txt; se deja aparte Sice_Prof.txt"}},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder sice, work;
        writeSchool(sice);
        tts::test::RecordingRunHost earlier; // the tables a run before this one left
        runImport(earlier, sice.path(), work.path());
        c.change(sice);
        tts::test::RecordingRunHost host;
        ImportReport report;
        runImport(host, sice.path(), work.path(), &report);
        ASSERT_TRUE(report.finished);
        std::string all;
        for (const std::string& w : report.warnings)
            all += w + "\n";
        size_t from = 0;
        for (const std::string& part : c.inWarnings) {
            const size_t at = all.find(part, from);
            ASSERT_NE(at, std::string::npos) << part << "\n" << all;
            from = at + part.size();
        }
        EXPECT_EQ(host.warnings, report.warnings);
    }
}

TEST(ImportRun, RepeatsAreKeptByFileWithTheirFirstCodes) {
    TempFolder sice, work;
    writeSchool(sice);
    writeLines(sice.file("Sice_Prof.txt"),
               {columns({{2, "A"}}), columns({{2, "a"}}), columns({{2, "B"}}), columns({{2, "b"}}),
                columns({{2, "C"}}), columns({{2, "c"}}), columns({{2, "D"}}), columns({{2, "d"}}),
                columns({{2, "A"}})});
    tts::test::RecordingRunHost host;
    ImportReport report;
    runImport(host, sice.path(), work.path(), &report);
    const TableReport& teachers = report.tables[1];
    EXPECT_EQ(teachers.repeatedCodes, 5);
    ASSERT_EQ(teachers.repeats.size(), 1u);
    EXPECT_EQ(teachers.repeats[0].file, "sice_prof.txt");
    EXPECT_EQ(teachers.repeats[0].lines, 5);
    // Four codes repeat ("A" twice): a few are named, each once, and the rest counted.
    EXPECT_EQ(teachers.repeats[0].distinct, 4);
    EXPECT_EQ(teachers.repeats[0].codes, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_NE(report.warnings[1].find("'a', 'b', 'c' y 1 m\xE1s"), std::string::npos)
        << report.warnings[1];
}

TEST(ImportRun, OnlyTheCourseFileMissingStillSucceeds) {
    TempFolder sice, work;
    writeSchool(sice, false);
    tts::test::RecordingRunHost host;
    runImport(host, sice.path(), work.path());

    EXPECT_EQ(host.messages,
              (std::vector<std::string>{"No existe archivo de grupos (SICE_ASIGNATCURSO.TXT)",
                                        "Proceso finalizado"}));
    EXPECT_EQ(host.result(), 1);
}

TEST(ImportRun, MissingFolder) {
    TempFolder place, work;
    writeLines(place.file("un-archivo"), {"no es una carpeta"});
    for (const std::string& folder : {place.file("borrada"), place.file("un-archivo")}) {
        SCOPED_TRACE(folder);
        tts::test::RecordingRunHost standalone(false, 0);
        ImportReport report;
        runImport(standalone, folder, work.path(), &report);
        EXPECT_EQ(standalone.events, std::vector<std::string>{"message:No existe la carpeta"});
        EXPECT_EQ(standalone.result(), 0);
        EXPECT_FALSE(report.folderFound);

        tts::test::RecordingRunHost embedded(true, 0);
        runImport(embedded, folder, work.path());
        EXPECT_EQ(embedded.events,
                  (std::vector<std::string>{"message:No existe la carpeta", "result:-1", "close"}));
    }
    EXPECT_TRUE(work.names().empty());
}

TEST(ImportRun, AnErrorInTheLastStepEndsTheRunThere) {
    TempFolder sice, work;
    writeSchool(sice);
    writeLines(sice.file("sice_sesiones.txt"),
               {columns({{5, "0001"}, {9, "L"}, {10, "0800"}, {14, "0855"}}),
                columns({{5, "0002"}, {9, "L"}, {10, "8:55"}, {14, "0950"}})});
    std::remove(sice.file("sice_aulas.txt").c_str()); // an earlier -1 is kept through the error
    writeSentinels(work);
    tts::test::RecordingRunHost host(true);
    ImportReport report;
    EXPECT_EQ(tts::test::errorOf([&] { runImport(host, sice.path(), work.path(), &report); }),
              "'8:55' no es un valor entero v\xE1lido");
    EXPECT_EQ(host.messages,
              std::vector<std::string>{"No existe archivo de aulas (SICE_AULAS.TXT)"});
    EXPECT_EQ(host.result(), -1);
    EXPECT_FALSE(host.busy);
    EXPECT_EQ(host.events.back(), "busy:off");
    EXPECT_FALSE(host.jobsDisabled);
    EXPECT_EQ(host.closeCount, 0);
    EXPECT_EQ(untouchedTables(work), (std::vector<std::string>{"AULAT", "DIASHORAST"}));
    EXPECT_EQ(readColumn(work.path(), "ASIGT", "HORAS").size(), 2u);
    EXPECT_FALSE(report.finished);
    EXPECT_TRUE(report.tables[4].rebuilt);
    EXPECT_FALSE(report.tables[5].rebuilt);
}

} // namespace tts::import::test
