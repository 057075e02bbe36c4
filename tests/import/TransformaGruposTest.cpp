#include "ImportFixture.h"
#include "import/ImportSteps.h"

#include <gtest/gtest.h>

namespace tts::import::test {

namespace {
const std::vector<std::string> kColumns = {"ABREV", "TURNO",  "NIVEL",   "CURSO",
                                           "GRUPO", "UNIDAD", "DESCRIP", "ABREVCORTA"};

std::string group(const std::string& unit, const std::string& shortCode, const std::string& level,
                  const std::string& course, const std::string& description,
                  const std::string& shift) {
    return columns({{1, " "},
                    {2, unit},
                    {12, shortCode},
                    {16, level},
                    {19, "xxx"},
                    {22, course},
                    {25, description},
                    {35, shift}});
}

Row row(const std::string& abrev, const std::string& turno, const std::string& nivel,
        const std::string& curso, const std::string& grupo, const std::string& descrip,
        const std::string& abrevCorta) {
    return {{"ABREV", abrev}, {"TURNO", turno},  {"NIVEL", nivel},     {"CURSO", curso},
            {"GRUPO", grupo}, {"UNIDAD", abrev}, {"DESCRIP", descrip}, {"ABREVCORTA", abrevCorta}};
}
} // namespace

TEST(TransformaGrupos, RowsWithDerivedGroupLevelAndDescription) {
    StepFixture f;
    f.write(
        "sice_grupo.txt",
        withFrame("SICE_GRUPOS.TXT",
                  {
                      group("1ESOA", "1A", "ESO", "1", "ESO A", "M"),
                      group("1ESOA", "1A", "", "1", "ESO A", "M"),
                      group("B", "", "BAC", "2", "", "TAR"),
                      columns({{2, "2ESOB"}, {12, "2B"}, {16, "ESO"}, {22, "2"}, {25, "ESO B 2"}})
                          .substr(0, 30),
                      "",
                      // Both spellings of the file's own name are name lines, not groups.
                      columns({{2, "  sice_grupos.txt "}}),
                      columns({{2, "Sice_Grupo.txt"}}),
                  }));
    f.run(TransformaGrupos);

    EXPECT_TRUE(f.host.messages.empty());
    const std::vector<Row> expected = {
        row("1ESOA", "M", "ESO", "1", "A", "(ESO A) M ESO 1 A", "1A"),
        row("1ESOA", "M", "NIV", "1", "A", "(ESO A) M NIV 1 A", "1A"),
        row("B", "T", "BAC", "2", "B", "() TAR BAC 2 B", ""),
        row("2ESOB", "", "ESO", "2", "B", "(ESO B)  ESO 2 B", "2B"),
        row("", "", "NIV", "", "", "()  NIV  ", ""),
    };
    std::vector<Row> rows = f.rows("GRUPOST", kColumns);
    // dBase pads text with blanks, so trailing blanks of DESCRIP cannot come back.
    for (Row& r : rows)
        r["DESCRIP"].resize(r["DESCRIP"].find_last_not_of(' ') + 1);
    std::vector<Row> trimmedExpected = expected;
    for (Row& r : trimmedExpected)
        r["DESCRIP"].resize(r["DESCRIP"].find_last_not_of(' ') + 1);
    EXPECT_EQ(rows, trimmedExpected);
    EXPECT_EQ(f.tableReport("GRUPOST").rowsWritten, 5);
}

TEST(TransformaGrupos, MissingFileLeavesTheTable) {
    StepFixture f;
    writeSentinelTable(f.work.path(), "GRUPOST");
    f.run(TransformaGrupos);
    EXPECT_EQ(f.host.messages,
              std::vector<std::string>{"No existe archivo de grupos (SICE_GRUPO.TXT)"});
    EXPECT_EQ(f.host.result(), -1);
    EXPECT_TRUE(isSentinelTable(f.work.path(), "GRUPOST"));
}

} // namespace tts::import::test
