#include "sice/FileFinder.h"

#include "SiceTestSupport.h"

#include <gtest/gtest.h>

namespace tts::sice {
namespace {

namespace fs = std::filesystem;

TEST(FileFinder, FindsTheFileWhateverItsLetterCase) {
    test::TempFolder folder;
    test::writeBytes(folder.file("SICE_PROF.TXT"), "");
    test::writeBytes(folder.file("Sice_Aulas.Txt"), "");
    test::writeBytes(folder.file("A\xD1O_\xC1REA.TXT"), ""); // AÑO_ÁREA.TXT in Windows-1252

    const struct {
        const char* asked;
        const char* stored; // nullptr: not found
    } table[] = {
        {"sice_prof.txt", "SICE_PROF.TXT"},
        {"SICE_PROF.TXT", "SICE_PROF.TXT"},
        {"SICE_AULAS.TXT", "Sice_Aulas.Txt"},
        {"a\xF1o_\xE1rea.txt", "A\xD1O_\xC1REA.TXT"},
        {"ano_area.txt", nullptr}, // an accent is not letter case
        {"sice_prof.tx", nullptr},
        {"sice_grupo.txt", nullptr},
    };
    for (const auto& row : table) {
        FoundFile found = findFile(folder.carpeta(), row.asked);
        EXPECT_EQ(found.exists, row.stored != nullptr) << row.asked;
        EXPECT_EQ(found.path, folder.carpeta() + (row.stored ? row.stored : row.asked))
            << row.asked;
    }
}

TEST(FileFinder, ExactNameWinsAndFoldersDoNotCount) {
    test::TempFolder folder;
    test::writeBytes(folder.file("SICE_ASIGNAT.TXT"), "");
    test::writeBytes(folder.file("sice_asignat.txt"), "");
    test::writeBytes(folder.file("Sice_Asignat.txt"), "");
    const FoundFile asked = findFile(folder.carpeta(), "sice_asignat.txt");
    EXPECT_EQ(asked.path, folder.file("sice_asignat.txt"));
    // The others are named, so that the user learns which one was left aside.
    EXPECT_EQ(asked.leftAside, (std::vector<std::string>{folder.file("SICE_ASIGNAT.TXT"),
                                                         folder.file("Sice_Asignat.txt")}));
    EXPECT_EQ(leftAsideText(asked),
              "se usa sice_asignat.txt; se deja aparte SICE_ASIGNAT.TXT, Sice_Asignat.txt, que "
              "solo difieren en may\xFAsculas y min\xFAsculas");
    EXPECT_EQ(findFile(folder.carpeta(), "Sice_Asignat.txt").path, folder.file("Sice_Asignat.txt"));
    // No exact match: the choice among the others is fixed (byte order), not the listing's.
    EXPECT_EQ(findFile(folder.carpeta(), "sice_ASIGNAT.txt").path, folder.file("SICE_ASIGNAT.TXT"));

    fs::create_directory(folder.file("sice_aulas.txt"));
    FoundFile onlyFolder = findFile(folder.carpeta(), "sice_aulas.txt");
    EXPECT_FALSE(onlyFolder.exists);
    EXPECT_TRUE(onlyFolder.leftAside.empty());
    EXPECT_EQ(onlyFolder.path, folder.file("sice_aulas.txt"));

    fs::create_directory(folder.file("sice_grupo.txt"));
    test::writeBytes(folder.file("SICE_GRUPO.TXT"), "");
    EXPECT_EQ(findFile(folder.carpeta(), "sice_grupo.txt").path, folder.file("SICE_GRUPO.TXT"));
}

TEST(FileFinder, ABrokenLinkIsFoundSoThatOpeningItSaysWhy) {
    test::TempFolder folder;
    fs::create_symlink(folder.file("gone.txt"), folder.file("SICE_PROF.TXT"));
    fs::create_symlink(folder.file("sice_aulas.txt"), folder.file("sice_aulas.txt"));
    for (const char* name : {"sice_prof.txt", "sice_aulas.txt"}) {
        const FoundFile found = findFile(folder.carpeta(), name);
        EXPECT_TRUE(found.exists) << name;
        EXPECT_TRUE(found.leftAside.empty()) << name;
    }
}

TEST(FileFinder, MissingFolderFindsNothing) {
    test::TempFolder folder;
    FoundFile found = findFile(folder.carpeta() + "no/", "sice_prof.txt");
    EXPECT_FALSE(found.exists);
    EXPECT_EQ(found.path, folder.carpeta() + "no/sice_prof.txt");
}

TEST(FileFinder, FolderExistsOnlyForFolders) {
    test::TempFolder folder;
    test::writeBytes(folder.file("f.txt"), "");
    EXPECT_TRUE(folderExists(folder.carpeta()));
    EXPECT_FALSE(folderExists(folder.file("f.txt")));
    EXPECT_FALSE(folderExists(folder.file("no")));
    EXPECT_EQ(pathSeparator(), '/');
}

} // namespace
} // namespace tts::sice
