#include "CliRunner.h"
#include "tables/WorkTable.h"
#include "tests/support/FileBytes.h"
#include "tests/support/FixedColumnLine.h"
#include "tests/support/HeldFile.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace tts::cli::test {

namespace {

namespace fs = std::filesystem;

using tts::test::columns;
using tts::test::TempFolder;
using tts::test::writeLines;

void writeSchool(const TempFolder& sice, bool withCourses = true) {
    writeLines(sice.file("sice_asignat.txt"),
               {columns({{2, "MAT"}, {6, "MATEMATICAS"}, {26, "Matem\xE1ticas"}}),
                columns({{2, "mat"}, {6, "REPETIDA"}})});
    writeLines(sice.file("sice_prof.txt"), {columns({{2, "JPG"}, {6, "P\xE9rez, Juan"}})});
    writeLines(sice.file("sice_aulas.txt"), {columns({{2, "A101"}, {12, "A1"}})});
    writeLines(sice.file("sice_grupo.txt"),
               {columns({{2, "1ESOA"}, {12, "1A"}, {16, "ESO"}, {22, "1"}, {35, "M"}})});
    writeLines(sice.file("sice_asignatgrupo.txt"), {columns({{2, "1ESOA"}, {16, "MAT"}})});
    if (withCourses)
        writeLines(sice.file("sice_asignatcurso.txt"),
                   {columns({{2, "ESO"}, {8, "1"}, {24, "MAT"}, {28, "4"}})});
    writeLines(sice.file("sice_sesiones.txt"),
               {columns({{5, "0001"}, {9, "L"}, {10, "0800"}, {14, "0855"}})});
}

const char* const kHeading = "Tabla        Filas escritas C\u00F3digos repetidos";

} // namespace

TEST(ImportCommand, CompleteFolder) {
    TempFolder sice, work;
    writeSchool(sice);
    const CliResult r = runCli({"import", "--sice", sice.path(), "--work", work.path()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(linesOf(r.out), (std::vector<std::string>{
                                  "Proceso finalizado",
                                  kHeading,
                                  "ASIGNOMT                  1                 1",
                                  "PROFT                     1                 0",
                                  "AULAT                     1                 0",
                                  "GRUPOST                   1                 0",
                                  "ASIGT                     1                 0",
                                  "DIASHORAST                1                 0",
                                  "Avisos:",
                                  "  sice_asignat.txt: 1 l\u00EDnea con un c\u00F3digo repetido "
                                  "se ha dejado fuera (vale la primera): 'mat'",
                              }));
    tables::WorkTable asignomt =
        tables::WorkTable::open(work.path(), "ASIGNOMT", tables::OpenMode::ReadOnly);
    asignomt.first();
    EXPECT_EQ(asignomt.readText(asignomt.column("NOMBRE")),
              "Matem\xE1ticas"); // bytes stay Windows-1252
}

TEST(ImportCommand, MissingFilesGoToStandardErrorOnePerLine) {
    TempFolder work;
    {
        TempFolder sice;
        writeSchool(sice, false);
        const CliResult r = runCli({"import", "--work", work.path(), "--sice=" + sice.path()});
        EXPECT_EQ(r.status, 0); // the course file is optional
        EXPECT_EQ(r.err, "No existe archivo de grupos (SICE_ASIGNATCURSO.TXT)\n");
        EXPECT_EQ(linesOf(r.out).at(0), "Proceso finalizado");
    }
    // Which notices an empty folder gives, and in what order, is the import's own (ImportRun);
    // here only that they reach standard error in that order and a required one gives 1.
    TempFolder empty;
    const CliResult r = runCli({"import", "--sice", empty.path(), "--work", work.path()});
    EXPECT_EQ(r.status, 1);
    const std::vector<std::string> err = linesOf(r.err);
    ASSERT_FALSE(err.empty());
    EXPECT_EQ(err.front(), "No existe archivo de asignaturas (SICE_ASIGNAT.TXT)");
    EXPECT_EQ(err.back(), "No existe archivo de grupos (SICE_SESIONES.TXT)");
    const std::vector<std::string> out = linesOf(r.out);
    ASSERT_EQ(out.size(), 10u);
    EXPECT_EQ(out[0], "Proceso finalizado");
    EXPECT_EQ(out[2], "ASIGNOMT        sin cambios");
    // Without a groups file GRUPOST stays as an earlier import left it: the one warning.
    EXPECT_EQ(out[8], "Avisos:");
    EXPECT_EQ(out[9].rfind("  No hay sice_grupo.txt: GRUPOST se queda como estaba", 0), 0u)
        << out[9];
}

TEST(ImportCommand, MissingFolder) {
    TempFolder place;
    CliResult r = runCli({"import", "--sice", place.file("no-existe"), "--work", place.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "No existe la carpeta\nCarpeta: " + place.file("no-existe") + "\n");
    EXPECT_EQ(r.out, "");

    // The same keys as a finished or a stopped run; every table unchanged.
    r = runCli({"import", "--json", "--sice", place.file("no-existe"), "--work", place.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(
        topLevelKeys(r.out),
        (std::vector<std::string>{"command", "siceFolder", "workFolder", "outcome", "exitStatus",
                                  "messages", "error", "errorLocation", "requiredFileMissing",
                                  "tables", "filesLeftAside", "warnings"}));
    for (const char* part : {"\"outcome\": \"missingFolder\"", "\"requiredFileMissing\": false",
                             "\"table\": \"DIASHORAST\",\n      \"rebuilt\": false"})
        EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;
}

TEST(ImportCommand, AnErrorEndsTheRunWithItsMessage) {
    TempFolder sice, work;
    writeSchool(sice);
    writeLines(sice.file("sice_sesiones.txt"),
               {"0SICE_SESIONES.TXT", columns({{5, "0001"}, {9, "L"}, {10, "0800"}, {14, "0855"}}),
                columns({{5, "0002"}, {9, "L"}, {10, "8:00"}, {14, "0855"}})});
    // The folder typed with its separator: the paths do not double it.
    CliResult r = runCli({"import", "--sice", sice.path() + "/", "--work", work.path()});
    EXPECT_EQ(r.status, 2);
    // The message as the window shows it, then where the value lies.
    EXPECT_EQ(r.err, "'8:00' no es un valor entero v\u00E1lido.\n" + sice.path() + kSeparator +
                         "sice_sesiones.txt:3: columnas 10-13\n");
    const std::vector<std::string> out = linesOf(r.out);
    EXPECT_EQ(std::count(out.begin(), out.end(), "Proceso finalizado"), 0);
    EXPECT_EQ(out.back(), "DIASHORAST      sin cambios");

    // The hours of a course line: the line the assignment used, the hours' columns.
    writeSchool(sice);
    writeLines(sice.file("sice_asignatcurso.txt"),
               {columns({{2, "ESO"}, {8, "1"}, {24, "LEN"}, {28, "x"}}),
                columns({{2, "ESO"}, {8, "1"}, {24, "MAT"}, {28, "4..5"}})});
    r = runCli({"import", "--sice", sice.path(), "--work", work.path()});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "'4..5' no es un valor punto flotante v\u00E1lido.\n" + sice.path() +
                         kSeparator + "sice_asignatcurso.txt:2: columnas 28-33\n");
}

TEST(ImportCommand, UsageErrors) {
    const struct {
        std::vector<std::string> args;
        std::string problem;
    } cases[] = {
        {{"import"}, "falta --sice CARPETA"},
        {{"import", "--work", "/tmp"}, "falta --sice CARPETA"},
        {{"import", "--sice"}, "falta la carpeta tras --sice"},
        {{"import", "--sice", "/tmp", "--sice", "/tmp"}, "--sice aparece dos veces"},
        {{"import", "--sice", "/tmp", "--verbose"}, "argumento desconocido: --verbose"},
        {{"import", "--sice="}, "la carpeta de --sice est\u00E1 vac\u00EDa"},
        {{"import", "/tmp"}, "argumento desconocido: /tmp"},
    };
    for (const auto& c : cases) {
        const CliResult r = runCli(c.args);
        EXPECT_EQ(r.status, 64) << c.args.back();
        const std::vector<std::string> lines = linesOf(r.err);
        ASSERT_GE(lines.size(), 2u) << r.err;
        EXPECT_EQ(lines[0], "transTalvorSice-cli import: " + c.problem);
        EXPECT_EQ(lines[1].rfind("Uso: transTalvorSice-cli import", 0), 0u) << r.err;
        EXPECT_EQ(r.out, "");
    }
    const CliResult help = runCli({"import", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--sice CARPETA"), std::string::npos);
    // The work folder it takes when nothing says otherwise, in the system's own terms.
#ifdef _WIN32
    EXPECT_NE(help.out.find("HTEMP, o\n                   C:\\HTEMP)"), std::string::npos)
        << help.out;
    EXPECT_EQ(help.out.find("WINEPREFIX"), std::string::npos);
#else
    EXPECT_NE(help.out.find("$WINEPREFIX/drive_c/HTEMP"), std::string::npos) << help.out;
#endif
}

TEST(ImportCommand, DefaultWorkFolderComesFromHtemp) {
    TempFolder sice, work;
    writeSchool(sice);
    const CliResult r = runCli({"import", "--sice", sice.path()}, {{"HTEMP", work.path()}});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(work.file("DIASHORAST.DBF")));
}

TEST(ImportCommand, JsonReportIsAllOfStandardOutput) {
    TempFolder sice, work;
    writeSchool(sice, false);
    fs::remove(sice.file("sice_aulas.txt"));
#ifndef _WIN32
    // A copy from a system that tells letter case apart: the job uses the name it asks for and
    // says which one it left aside.
    writeLines(sice.file("SICE_PROF.TXT"), {columns({{2, "AAA"}}), columns({{2, "BBB"}})});
    const std::string leftAside =
        "\n    \"se usa sice_prof.txt; se deja aparte SICE_PROF.TXT, que solo "
        "difiere en may\u00FAsculas y min\u00FAsculas\"\n  ";
    const std::string leftAsideWarning =
        ",\n    \"Nombres que solo difieren en may\u00FAsculas: se usa sice_prof.txt; se deja "
        "aparte SICE_PROF.TXT, que solo difiere en may\u00FAsculas y min\u00FAsculas\"";
#else
    // Windows keeps one file per name whatever its letter case.
    const std::string leftAside, leftAsideWarning;
#endif
    const CliResult r = runCli({"import", "--json", "--sice", sice.path(), "--work", work.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(linesOf(r.err), (std::vector<std::string>{
                                  "No existe archivo de aulas (SICE_AULAS.TXT)",
                                  "No existe archivo de grupos (SICE_ASIGNATCURSO.TXT)",
                                  "Proceso finalizado",
                              }));
    const std::string expected = "{\n"
                                 "  \"command\": \"import\",\n"
                                 "  \"siceFolder\": \"" +
                                 jsonPath(sice.path()) +
                                 "\",\n"
                                 "  \"workFolder\": \"" +
                                 jsonPath(work.path()) +
                                 "\",\n"
                                 "  \"outcome\": \"finished\",\n"
                                 "  \"exitStatus\": 1,\n"
                                 "  \"messages\": [\n"
                                 "    \"No existe archivo de aulas (SICE_AULAS.TXT)\",\n"
                                 "    \"No existe archivo de grupos (SICE_ASIGNATCURSO.TXT)\",\n"
                                 "    \"Proceso finalizado\"\n"
                                 "  ],\n"
                                 "  \"error\": null,\n"
                                 "  \"errorLocation\": null,\n"
                                 "  \"requiredFileMissing\": true,\n"
                                 "  \"tables\": [\n"
                                 "    {\n"
                                 "      \"table\": \"ASIGNOMT\",\n"
                                 "      \"rebuilt\": true,\n"
                                 "      \"rowsWritten\": 1,\n"
                                 "      \"repeatedCodes\": 1\n"
                                 "    },\n"
                                 "    {\n"
                                 "      \"table\": \"PROFT\",\n"
                                 "      \"rebuilt\": true,\n"
                                 "      \"rowsWritten\": 1,\n"
                                 "      \"repeatedCodes\": 0\n"
                                 "    },\n"
                                 "    {\n"
                                 "      \"table\": \"AULAT\",\n"
                                 "      \"rebuilt\": false,\n"
                                 "      \"rowsWritten\": 0,\n"
                                 "      \"repeatedCodes\": 0\n"
                                 "    },\n"
                                 "    {\n"
                                 "      \"table\": \"GRUPOST\",\n"
                                 "      \"rebuilt\": true,\n"
                                 "      \"rowsWritten\": 1,\n"
                                 "      \"repeatedCodes\": 0\n"
                                 "    },\n"
                                 "    {\n"
                                 "      \"table\": \"ASIGT\",\n"
                                 "      \"rebuilt\": true,\n"
                                 "      \"rowsWritten\": 1,\n"
                                 "      \"repeatedCodes\": 0\n"
                                 "    },\n"
                                 "    {\n"
                                 "      \"table\": \"DIASHORAST\",\n"
                                 "      \"rebuilt\": true,\n"
                                 "      \"rowsWritten\": 1,\n"
                                 "      \"repeatedCodes\": 0\n"
                                 "    }\n"
                                 "  ],\n"
                                 "  \"filesLeftAside\": [" +
                                 leftAside +
                                 "],\n"
                                 "  \"warnings\": [\n"
                                 "    \"sice_asignat.txt: 1 l\u00EDnea con un c\u00F3digo repetido "
                                 "se ha dejado fuera (vale la primera): 'mat'\"" +
                                 leftAsideWarning +
                                 "\n  ]\n"
                                 "}\n";
    EXPECT_EQ(r.out, expected);
}

#ifdef _WIN32
// Another program keeps a SICE file to itself (share mode 0): the message is the one SICE users
// know, and the lines after it say which file and why; the table stays as it was.
TEST(ImportCommand, ASiceFileHeldByAnotherProgramIsNamedWithItsReason) {
    TempFolder sice, work;
    writeSchool(sice);
    const std::string held = sice.file("sice_prof.txt");
    tts::test::HeldFile holder(held, "exclusive");
    ASSERT_TRUE(holder.ready());
    CliResult r = runCli({"import", "--sice", sice.path(), "--work", work.path()});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "Error de E/S 32.\nArchivo: " + held + "\nMotivo: otro programa lo tiene abierto.\n");
    EXPECT_TRUE(fs::exists(work.file("ASIGNOMT.DBF")));
    EXPECT_FALSE(fs::exists(work.file("PROFT.DBF")));

    r = runCli({"import", "--sice", sice.path(), "--work", work.path(), "--json"});
    EXPECT_NE(r.out.find("  \"error\": \"Error de E/S 32.\\nArchivo: " + jsonPath(held) +
                         "\\nMotivo: otro programa lo tiene abierto.\",\n  \"errorLocation\": {\n"
                         "    \"file\": \"" +
                         jsonPath(held) +
                         "\",\n    \"line\": null,\n"
                         "    \"place\": \"otro programa lo tiene abierto\"\n  },\n"),
              std::string::npos)
        << r.out;
}
#endif

TEST(ImportCommand, JsonCarriesTheErrorAndEscapesIt) {
    TempFolder sice, work;
    writeSchool(sice);
    writeLines(sice.file("sice_sesiones.txt"),
               {columns({{5, "0001"}, {9, "L"}, {10, "\"\\8\""}, {14, "0855"}})});
    const CliResult r = runCli({"import", "--sice", sice.path(), "--work", work.path(), "--json"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "'\"\\8\"' no es un valor entero v\u00E1lido.\n" + sice.path() + kSeparator +
                         "sice_sesiones.txt:1: columnas 10-13\n");
    EXPECT_NE(r.out.find("  \"error\": \"'\\\"\\\\8\\\"' no es un valor entero v\u00E1lido.\",\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("  \"outcome\": \"stopped\",\n"), std::string::npos);
    EXPECT_NE(r.out.find("  \"exitStatus\": 2,\n"), std::string::npos);
    EXPECT_NE(r.out.find("  \"errorLocation\": {\n    \"file\": \"" + jsonPath(sice.path()) +
                         kJsonSeparator +
                         "sice_sesiones.txt\",\n    \"line\": 1,\n    \"place\": \"columnas "
                         "10-13\"\n  },\n"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.find("\"result\""), std::string::npos); // no field to contradict the outcome
}

} // namespace tts::cli::test
