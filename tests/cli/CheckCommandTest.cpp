#include "CliRunner.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tts::cli::test {

namespace {

namespace fs = std::filesystem;
using tts::test::readBytes;
using tts::test::TempFolder;
using tts::test::writeBytes;

const std::vector<std::string> kCheckKeys = {"command",    "siceFolder", "workFolder", "outcome",
                                             "exitStatus", "files",      "findings",   "stopping",
                                             "warnings",   "notes",      "emptyCodes"};

// The example school copied, so that a problem can be planted without touching it.
void copyExample(const TempFolder& to) {
    for (const auto& entry : fs::directory_iterator(fs::path(TTS_SOURCE_DIR) / "examples" / "sice"))
        fs::copy_file(entry.path(), fs::path(to.path()) / entry.path().filename());
}

} // namespace

TEST(CheckCommand, TheExampleSchoolPassesAndNothingIsWritten) {
    TempFolder sice;
    copyExample(sice);
    const std::vector<std::string> before = sice.names();
    const CliResult r = runCli({"check", "--sice", sice.path()});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> out = linesOf(r.out);
    ASSERT_FALSE(out.empty());
    EXPECT_EQ(out[0], "Resumen: 8 de 8 archivos SICE; 0 problemas que detendr\u00EDan un trabajo o "
                      "perder\u00EDan l\u00EDneas; 0 avisos; 4 notas.");
    EXPECT_EQ(out.size(), 5u); // the four notes on the example's repeated codes
    EXPECT_EQ(sice.names(), before);
}

TEST(CheckCommand, AProblemThatStopsTheImportExitsOne) {
    TempFolder sice;
    copyExample(sice);
    writeBytes(sice.file("sice_sesiones.txt"), readBytes(sice.file("sice_sesiones.txt")) + "\x1A");
    CliResult r = runCli({"check", "--sice", sice.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(linesOf(r.out).at(0).rfind("sice_sesiones.txt:33: columnas 14-17 (hora de fin): ", 0),
              0u)
        << r.out;

    r = runCli({"check", "--json", "--sice", sice.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(topLevelKeys(r.out), kCheckKeys);
    for (
        const char* part :
        {"\"outcome\": \"checked\"", "\"exitStatus\": 1", "\"workFolder\": null", "\"stopping\": 2",
         "\"emptyCodes\": null",
         "{\n      \"file\": \"sice_sesiones.txt\",\n      \"line\": 33,\n      \"text\": "
         "\"columnas 14-17 (hora de fin): la importaci\u00F3n se detendr\u00EDa: '' no es un valor "
         "entero v\u00E1lido (la l\u00EDnea est\u00E1 vac\u00EDa o s\u00F3lo tiene caracteres de "
         "control, como un Ctrl-Z final)\",\n      \"stops\": true,\n      \"note\": false\n    }"})
        EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;
}

TEST(CheckCommand, MissingFolderAndUsage) {
    TempFolder place;
    CliResult r = runCli({"check", "--json", "--sice", place.file("none")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "No existe la carpeta\nCarpeta: " + place.file("none") + "\n");
    EXPECT_EQ(topLevelKeys(r.out), kCheckKeys);
    EXPECT_NE(r.out.find("\"outcome\": \"missingFolder\""), std::string::npos) << r.out;
#ifndef _WIN32
    const std::string tooLong = place.file(std::string(300, 'x'));
    r = runCli({"check", "--sice", tooLong});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "No se puede usar la carpeta (la ruta o uno de sus nombres es m\u00E1s largo "
                     "de lo que el sistema admite)\nCarpeta: " +
                         tooLong + "\n");
#endif

    r = runCli({"check", "--sice"});
    EXPECT_EQ(r.status, 64);
    EXPECT_EQ(r.out, "");
    const std::vector<std::string> lines = linesOf(r.err);
    ASSERT_GE(lines.size(), 2u) << r.err;
    EXPECT_EQ(lines[0], "transTalvorSice-cli check: falta la carpeta tras --sice");
    EXPECT_EQ(lines[1].rfind("Uso: transTalvorSice-cli check", 0), 0u) << r.err;
}

} // namespace tts::cli::test
