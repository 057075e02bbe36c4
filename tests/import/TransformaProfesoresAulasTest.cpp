#include "ImportFixture.h"
#include "import/ImportSteps.h"

#include <gtest/gtest.h>

namespace tts::import::test {

TEST(TransformaProfesores, OneRowPerCodeWithNamesCutToTheirColumns) {
    StepFixture f;
    const std::string name90 = std::string(80, 'a') + std::string(10, 'b');
    const std::string depart50 = std::string(40, 'c') + std::string(10, 'd');
    f.write("sice_prof.txt",
            withFrame("SICE_PROF.TXT", {
                                           columns({{2, "JPG"},
                                                    {6, "P\xE9rez Garc\xED"
                                                        "a, Juan"},
                                                    {96, "Lengua"}}),
                                           columns({{2, "jpg"}, {6, "Otro"}, {96, "Otro"}}),
                                           columns({{2, "LAR"}, {6, name90}, {96, depart50}}),
                                           columns({{2, "COR"}, {6, "Corto"}}),
                                           "",
                                           "",
                                           // Another file's name line is data here.
                                           columns({{2, "sice_aulas.txt"}}),
                                       }));
    f.run(TransformaProfesores);

    EXPECT_TRUE(f.host.messages.empty());
    const std::vector<Row> expected = {
        {{"ABREV", "JPG"},
         {"NOMBRE", "P\xE9rez Garc\xED"
                    "a, Juan"},
         {"DEPART", "Lengua"},
         {"DNI", ""}},
        {{"ABREV", "LAR"},
         {"NOMBRE", std::string(80, 'a')},
         {"DEPART", std::string(40, 'c')},
         {"DNI", ""}},
        {{"ABREV", "COR"}, {"NOMBRE", "Corto"}, {"DEPART", ""}, {"DNI", ""}},
        {{"ABREV", ""}, {"NOMBRE", ""}, {"DEPART", ""}, {"DNI", ""}},
        {{"ABREV", "sice"}, {"NOMBRE", "_aulas.txt"}, {"DEPART", ""}, {"DNI", ""}},
    };
    EXPECT_EQ(f.rows("PROFT", {"ABREV", "NOMBRE", "DEPART", "DNI"}), expected);
    EXPECT_EQ(f.tableReport("PROFT").rowsWritten, 5);
    EXPECT_EQ(f.tableReport("PROFT").repeatedCodes, 2);
}

TEST(TransformaAulas, EveryLineIsARoomRepeatsIncluded) {
    StepFixture f;
    const std::string name100 = std::string(80, 'x') + std::string(20, 'y');
    f.write(
        "sice_aulas.txt",
        withFrame("SICE_AULAS.TXT", {
                                        columns({{2, "LAB-FIS"},
                                                 {12, "LABF"},
                                                 {16, "no se lee"},
                                                 {86, "Laboratorio de F\xEDsica"}}),
                                        columns({{2, "LAB-FIS"}, {12, "LAB2"}, {86, "Otra vez"}}),
                                        columns({{2, "A101"}, {86, name100}}),
                                        columns({{2, "A102"}, {12, "A2"}, {40, "corta"}}),
                                        "",
                                        "",
                                    }));
    f.run(TransformaAulas);

    const std::vector<Row> expected = {
        {{"ABREV", "LAB-FIS"},
         {"NOMBRE", "Laboratorio de F\xEDsica"},
         {"EDIFICIO", ""},
         {"MAXALUM", ""},
         {"ABREVCORTA", "LABF"}},
        {{"ABREV", "LAB-FIS"},
         {"NOMBRE", "Otra vez"},
         {"EDIFICIO", ""},
         {"MAXALUM", ""},
         {"ABREVCORTA", "LAB2"}},
        {{"ABREV", "A101"},
         {"NOMBRE", std::string(80, 'x')},
         {"EDIFICIO", ""},
         {"MAXALUM", ""},
         {"ABREVCORTA", ""}},
        {{"ABREV", "A102"},
         {"NOMBRE", ""},
         {"EDIFICIO", ""},
         {"MAXALUM", ""},
         {"ABREVCORTA", "A2"}},
        {{"ABREV", ""}, {"NOMBRE", ""}, {"EDIFICIO", ""}, {"MAXALUM", ""}, {"ABREVCORTA", ""}},
        {{"ABREV", ""}, {"NOMBRE", ""}, {"EDIFICIO", ""}, {"MAXALUM", ""}, {"ABREVCORTA", ""}},
    };
    EXPECT_EQ(f.rows("AULAT", {"ABREV", "NOMBRE", "EDIFICIO", "MAXALUM", "ABREVCORTA"}), expected);
    EXPECT_EQ(f.tableReport("AULAT").rowsWritten, 6);
    EXPECT_EQ(f.tableReport("AULAT").repeatedCodes, 0);
}

TEST(TransformaProfesoresAulas, MissingFilesLeaveTheirTables) {
    StepFixture f;
    writeSentinelTable(f.work.path(), "PROFT");
    writeSentinelTable(f.work.path(), "AULAT");
    f.run(TransformaProfesores);
    f.run(TransformaAulas);

    EXPECT_EQ(f.host.messages,
              (std::vector<std::string>{"No existe archivo de profesores (SICE_PROF.TXT)",
                                        "No existe archivo de aulas (SICE_AULAS.TXT)"}));
    EXPECT_EQ(f.host.result(), -1);
    EXPECT_TRUE(isSentinelTable(f.work.path(), "PROFT"));
    EXPECT_TRUE(isSentinelTable(f.work.path(), "AULAT"));
}

} // namespace tts::import::test
