// Folders named with letters that no single-byte code page holds, as a school abroad or a user's
// own folder may be: both jobs and check find them, and the reports name them as typed. On
// Windows the arguments then arrive only through the wide command line.
#include "CliRunner.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tts::cli::test {
namespace {

namespace fs = std::filesystem;
using tts::test::fsPath;
using tts::test::TempFolder;

TEST(FolderNames, BothJobsAndCheckWorkInAFolderNamedLodz) {
    TempFolder place;
    const std::string school = place.file("Datos \u0141\u00F3d\u017A");
    const std::string sice = school + kSeparator + "SICE", work = school + kSeparator + "HTEMP";
    fs::create_directories(fsPath(sice));
    fs::create_directories(fsPath(work));
    const fs::path examples = fs::path(TTS_SOURCE_DIR) / "examples";
    for (const auto& entry : fs::directory_iterator(examples / "sice"))
        fs::copy_file(entry.path(), fsPath(sice) / entry.path().filename());

    CliResult r = runCli({"import", "--sice", sice, "--work", work, "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"siceFolder\": \"" + jsonPath(sice) + "\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"workFolder\": \"" + jsonPath(work) + "\""), std::string::npos);
    for (const char* table : {"ASIGNOMT", "PROFT", "AULAT", "GRUPOST", "ASIGT", "DIASHORAST"})
        EXPECT_TRUE(fs::exists(fsPath(work + kSeparator + table + ".DBF"))) << table;

    fs::copy_file(examples / "SOLUC.DBF", fsPath(work) / "SOLUC.DBF");
    r = runCli({"export", "--sice", sice, "--work", work});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("escrito en " + sice + kSeparator + "SICE_HORARIO.TXT"), std::string::npos)
        << r.out;
    EXPECT_TRUE(fs::exists(fsPath(sice + kSeparator + "SICE_HORARIO.TXT")));

    r = runCli({"check", "--sice", sice, "--work", work, "--json"});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("\"siceFolder\": \"" + jsonPath(sice) + "\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"outcome\": \"checked\""), std::string::npos);
}

} // namespace
} // namespace tts::cli::test
