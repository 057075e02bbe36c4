#include "CliRunner.h"
#include "tables/WorkTable.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace tts::cli::test {

namespace {

namespace fs = std::filesystem;
using tts::test::fsPath;
using tts::test::writeBytes;

// A folder whose name has an accent ("Año", in the program's UTF-8): messages must show it as
// typed.
const char* const kAccented = "A\xC3\xB1o";

// A SICE folder and a work folder side by side in one temporary folder, under kAccented.
class ExportFolders {
public:
    ExportFolders() {
        fs::create_directory(fsPath(root_.file(kAccented)));
        fs::create_directory(fsPath(sice()));
        fs::create_directory(fsPath(work()));
    }
    std::string sice() const { return root_.file(kAccented) + kSeparator + "sice"; }
    std::string work() const { return root_.file(kAccented) + kSeparator + "work"; }

    // The example school imported through the command line, with the host's timetable beside
    // the work tables.
    void importExample() {
        const fs::path examples = fs::path(TTS_SOURCE_DIR) / "examples";
        for (const auto& entry : fs::directory_iterator(examples / "sice"))
            fs::copy_file(entry.path(), fsPath(sice()) / entry.path().filename());
        const CliResult r = runCli({"import", "--sice", sice(), "--work", work()});
        ASSERT_EQ(r.status, 0) << r.err;
        fs::copy_file(examples / "SOLUC.DBF", fsPath(work()) / "SOLUC.DBF");
    }

private:
    tts::test::TempFolder root_;
};

using tts::test::readBytes;

const std::vector<std::string> kExportKeys = {
    "command",      "siceFolder", "workFolder",        "outcome",        "exitStatus",
    "messages",     "error",      "errorLocation",     "writtenTo",      "writtenInPlace",
    "linesWritten", "fallbacks",  "dayCodingMismatch", "filesLeftAside", "warnings"};

// Columns 60-71 of the header and the trailer hold the time of the run.
std::string maskTimeStamps(std::string bytes) {
    const size_t lastLine = bytes.rfind("\r\n", bytes.size() - 3) + 2;
    for (size_t start : {size_t{0}, lastLine}) {
        EXPECT_EQ(bytes.substr(start + 59, 12).find_first_not_of("0123456789"), std::string::npos);
        bytes.replace(start + 59, 12, "<time stamp>");
    }
    return bytes;
}

} // namespace

TEST(ExportCommand, ImportThenExportOfTheExampleSchool) {
    ExportFolders f;
    f.importExample();
    // Typed with its separator: the report does not double it.
    const CliResult r = runCli({"export", "--sice", f.sice() + "/", "--work", f.work()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    // Ordinary lessons and rows without a group or room are no unknown codes: counted apart.
    EXPECT_EQ(linesOf(r.out),
              (std::vector<std::string>{
                  "Proceso finalizado",
                  "SICE_HORARIO.TXT: 242 l\u00EDneas de horario, escrito en " + f.sice() +
                      kSeparator + "SICE_HORARIO.TXT",
                  "Grupos que no est\u00E1n en GRUPOST: 3 filas (\"4ESOA-D\" 3)",
                  "Tareas que no est\u00E1n en ASIGNOMT (escritas LEC): 4 filas (\"*CCP\" 4)",
                  "Aulas que no est\u00E1n en AULAT: 14 filas (\"AULA-ING\" 14)",
                  "D\u00EDa/hora sin tramo en DIASHORAST: 0 filas",
                  "Sin c\u00F3digo, escritas en blanco o LEC: 64 filas sin grupo, 178 filas sin "
                  "tarea, 47 filas sin aula",
                  "Avisos:",
                  "  3 lecciones tienen un grupo que no est\u00E1 en GRUPOST ('4ESOA-D'): se "
                  "escriben con sus 4 primeros caracteres",
                  "  4 lecciones tienen una tarea que no est\u00E1 en ASIGNOMT ('*CCP'): se "
                  "escriben como LEC",
                  "  14 lecciones tienen un aula que no est\u00E1 en AULAT ('AULA-ING'): se "
                  "escriben con sus 4 primeros caracteres",
              }));
    const std::string expected =
        (fs::path(TTS_SOURCE_DIR) / "tests" / "export" / "data" / "example-SICE_HORARIO.TXT")
            .string();
    EXPECT_EQ(maskTimeStamps(readBytes(f.sice() + "/SICE_HORARIO.TXT")),
              maskTimeStamps(readBytes(expected)));
}

#ifndef _WIN32
// A report lost to a full disk is no success, though the job did its work; the error says so
// once, on standard error.
TEST(ExportCommand, AReportThatCannotBeWrittenEndsWithStatusTwo) {
    ExportFolders f;
    f.importExample();
    const std::string output = f.sice() + "/SICE_HORARIO.TXT";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"export", "--sice", f.sice(), "--work", f.work()},
          {"export", "--json", "--sice", f.sice(), "--work", f.work()},
          {"import", "--sice", f.sice(), "--work", f.work()},
          {"check", "--sice", f.sice(), "--work", f.work()}}) {
        SCOPED_TRACE(args[0] + " " + args[1]);
        fs::remove(fsPath(output));
        std::vector<std::string> shell = {"-c", "exec \"$0\" \"$@\" >/dev/full", TTS_CLI_PATH};
        shell.insert(shell.end(), args.begin(), args.end());
        const CliResult r = runProgram("/bin/sh", shell);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("No se ha podido escribir el informe en la salida est\u00E1ndar.\n"),
                  std::string::npos)
            << r.err;
        if (args[0] == "export") {
            EXPECT_EQ(maskTimeStamps(readBytes(output)),
                      maskTimeStamps(readBytes((fs::path(TTS_SOURCE_DIR) / "tests" / "export" /
                                                "data" / "example-SICE_HORARIO.TXT")
                                                   .string())));
        }
    }
}
#endif

TEST(ExportCommand, JsonReportIsAllOfStandardOutput) {
    ExportFolders f;
    f.importExample();
    const CliResult r = runCli({"export", "--json", "--sice", f.sice(), "--work", f.work()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "Proceso finalizado\n");
    ASSERT_FALSE(r.out.empty());
    EXPECT_EQ(r.out.front(), '{');
    EXPECT_EQ(r.out.substr(r.out.size() - 2), "}\n");
    EXPECT_EQ(topLevelKeys(r.out), kExportKeys);
    for (const std::string& part : std::vector<std::string>{
             "\"outcome\": \"finished\"", "\"exitStatus\": 0", "\"error\": null",
             "\"errorLocation\": null",
             "\"writtenTo\": \"" + jsonPath(f.sice()) + kJsonSeparator + "SICE_HORARIO.TXT\"",
             "\"writtenInPlace\": false", "\"linesWritten\": 242", "\"dayCodingMismatch\": false",
             "\"rooms\": {\n      \"rows\": 14,\n      \"emptyRows\": 47,\n      \"codes\": [\n"
             "        {\n          \"code\": \"AULA-ING\",\n          \"rows\": 14\n        }\n"
             "      ]",
             "\"warnings\": [\n    \"3 lecciones tienen un grupo que no est\u00E1 en GRUPOST "
             "('4ESOA-D'): se escriben con sus 4 primeros caracteres\",\n"})
        EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;
}

// Thousands of unknown codes must not make a line of thousands of codes: the 20 most frequent,
// then how many more; one row reads "1 fila".
TEST(ExportCommand, UnknownCodesMostFrequentFirstAtMostTwenty) {
    ExportFolders f;
    f.importExample();
    {
        tables::WorkTable soluc =
            tables::WorkTable::createAfresh(f.work(), tables::schema::Timetable::table);
        std::vector<std::string> groups;
        for (int i = 0; i < 25; ++i)
            groups.push_back("G" + std::to_string(i));
        groups.push_back("G24"); // the last one new, but the most frequent
        for (const std::string& group : groups) {
            soluc.append();
            soluc.writeFloat(soluc.column("DIA"), 1);
            soluc.writeFloat(soluc.column("HORA"), 1);
            soluc.writeText(soluc.column("CODGRUPO"), group);
            soluc.writeText(soluc.column("TAREA"), "*CCP");
            soluc.post();
        }
        soluc.close();
    }
    const CliResult r = runCli({"export", "--sice", f.sice(), "--work", f.work()});
    EXPECT_EQ(r.status, 0) << r.err;
    std::string expected = "Grupos que no est\u00E1n en GRUPOST: 26 filas (\"G24\" 2";
    for (int i = 0; i < 19; ++i)
        expected += ", \"G" + std::to_string(i) + "\" 1";
    expected += " y 5 m\u00E1s)";
    const std::vector<std::string> out = linesOf(r.out);
    ASSERT_GE(out.size(), 4u) << r.out;
    EXPECT_EQ(out[1].rfind("SICE_HORARIO.TXT: 26 l\u00EDneas de horario", 0), 0u) << out[1];
    EXPECT_EQ(out[2], expected);
    EXPECT_EQ(out[3],
              "Tareas que no est\u00E1n en ASIGNOMT (escritas LEC): 26 filas (\"*CCP\" 26)");
    EXPECT_NE(std::find(out.begin(), out.end(),
                        "Sin c\u00F3digo, escritas en blanco o LEC: 26 filas sin aula"),
              out.end());
    // The warning names three codes, the most frequent first, and counts the rest.
    ASSERT_GE(out.size(), 3u);
    EXPECT_EQ(out[out.size() - 3], "Avisos:");
    EXPECT_EQ(out[out.size() - 2], "  26 lecciones tienen un grupo que no est\u00E1 en GRUPOST "
                                   "('G24', 'G0', 'G1' y 22 m\u00E1s): se escriben con sus 4 "
                                   "primeros caracteres");
}

TEST(ExportCommand, MissingFolder) {
    ExportFolders f;
    CliResult r = runCli({"export", "--sice", f.sice() + "/none", "--work", f.work()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "No existe la carpeta\nCarpeta: " + f.sice() + "/none\n");
    EXPECT_EQ(r.out, "");

    r = runCli({"export", "--json", "--sice", f.sice() + "/none", "--work", f.work()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(topLevelKeys(r.out), kExportKeys);
    for (const std::string& part :
         {std::string("\"outcome\": \"missingFolder\""), std::string("\"exitStatus\": 1"),
          // The folder is named as it was typed.
          "\"error\": \"No existe la carpeta\\nCarpeta: " + jsonPath(f.sice()) + "/none\"",
          std::string("\"writtenTo\": null"), std::string("\"linesWritten\": 0")})
        EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;

#ifndef _WIN32
    // A path the system cannot take is no missing folder.
    const std::string tooLong = f.sice() + "/" + std::string(300, 'x');
    r = runCli({"export", "--sice", tooLong, "--work", f.work()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "No se puede usar la carpeta (la ruta o uno de sus nombres es m\u00E1s largo "
                     "de lo que el sistema admite)\nCarpeta: " +
                         tooLong + "\n");
#endif
}

TEST(ExportCommand, AnErrorStopsItWithItsMessage) {
    ExportFolders f;
    f.importExample();
    writeBytes(f.sice() + "/sice_sesiones.txt", "0SICE_SESIONES.TXT\r\n");
    writeBytes(f.sice() + "/SICE_HORARIO.TXT", "old\r\n");
    CliResult r = runCli({"export", "--sice", f.sice(), "--work", f.work()});
    EXPECT_EQ(r.status, 2);
    // The file and the reason follow, as with every stop on a file.
    const std::string sessions = f.sice() + kSeparator + "sice_sesiones.txt";
    EXPECT_EQ(r.err, "List index out of bounds (1).\nArchivo: " + sessions +
                         "\nMotivo: necesita al menos dos l\u00EDneas.\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(readBytes(f.sice() + "/SICE_HORARIO.TXT"), "old\r\n");
    r = runCli({"export", "--json", "--sice", f.sice(), "--work", f.work()});
    EXPECT_NE(r.out.find("\"errorLocation\": {\n    \"file\": \"" + jsonPath(sessions) +
                         "\",\n    \"line\": null,\n    \"place\": \"necesita al menos dos "
                         "l\u00EDneas\"\n  }"),
              std::string::npos)
        << r.out;

    // The host's table missing: the table layer's two lines, carried whole in the JSON report.
    fs::copy_file(fs::path(TTS_SOURCE_DIR) / "examples" / "sice" / "sice_sesiones.txt",
                  fsPath(f.sice()) / "sice_sesiones.txt", fs::copy_options::overwrite_existing);
    fs::remove(fsPath(f.work()) / "SOLUC.DBF");
    r = runCli({"export", "--json", "--sice", f.sice(), "--work", f.work()});
    EXPECT_EQ(r.status, 2);
    // Our accents and the folder's, each right.
    const std::string soluc = f.work() + kSeparator + "SOLUC.DBF";
    EXPECT_EQ(r.err, "No se encuentra la tabla.\nTabla: " + soluc + ".\n");
    EXPECT_NE(
        r.out.find("\"error\": \"No se encuentra la tabla.\\nTabla: " + jsonPath(soluc) + ".\""),
        std::string::npos)
        << r.out;
    EXPECT_EQ(topLevelKeys(r.out), kExportKeys);
    EXPECT_NE(r.out.find("\"outcome\": \"stopped\""), std::string::npos);
    EXPECT_NE(r.out.find("\"writtenTo\": null"), std::string::npos);
    EXPECT_EQ(readBytes(f.sice() + "/SICE_HORARIO.TXT"), "old\r\n");
}

TEST(ExportCommand, UsageErrors) {
    const struct {
        std::vector<std::string> args;
        std::string problem;
    } cases[] = {
        {{"export"}, "falta --sice CARPETA"},
        {{"export", "--work", "/tmp"}, "falta --sice CARPETA"},
        {{"export", "--sice"}, "falta la carpeta tras --sice"},
        {{"export", "--sice", "/tmp", "--bogus"}, "argumento desconocido: --bogus"},
    };
    for (const auto& c : cases) {
        const CliResult r = runCli(c.args);
        EXPECT_EQ(r.status, 64);
        EXPECT_EQ(r.out, "");
        const std::vector<std::string> lines = linesOf(r.err);
        ASSERT_GE(lines.size(), 2u) << r.err;
        EXPECT_EQ(lines[0], "transTalvorSice-cli export: " + c.problem);
        EXPECT_EQ(lines[1].rfind("Uso: transTalvorSice-cli export", 0), 0u) << r.err;
    }
}

} // namespace tts::cli::test
