#include "ImportFixture.h"
#include "import/ImportSteps.h"

#include <gtest/gtest.h>

namespace tts::import::test {

namespace {
const std::vector<std::string> kColumns = {"COD", "CODLARGO", "NOMBRE", "ESTAREA", "CODTAREA"};

std::string subject(const std::string& code, const std::string& longCode, const std::string& name) {
    return columns({{1, " "}, {2, code}, {6, longCode}, {26, name}});
}

std::string activity(const std::string& code, const std::string& name, const std::string& task) {
    return columns({{1, " "}, {2, code}, {6, name}, {66, task}});
}
} // namespace

TEST(TransformaAsignaturas, SubjectsThenActivitiesShareOneCodeList) {
    StepFixture f;
    const std::string longName(150, 'n');
    f.write("sice_asignat.txt",
            withFrame("SICE_ASIGNAT.TXT",
                      {
                          subject("MAT", "MATEMATICAS I", "Matem\xE1ticas"),
                          subject("mat", "OTRA", "repetida en otra caja"),
                          subject("\xD1U", "", ""),
                          subject("\xF1u", "", "repetida: \xF1 es \xD1"),
                          subject("\xC1RB", "", "\xE1 y a no son iguales"),
                          subject("ARB", "", ""),
                          "",
                          "   ",
                          columns({{2, "FIS"}, {6, "FISICA Y QUIMICA"}}).substr(0, 20),
                          subject("LAR", "L", longName),
                      }));
    f.write("SICE_ACTIVIDADES.TXT",
            withFrame("SICE_ACTIVIDADES.TXT",
                      {
                          activity("GUA", "Guardia", "GUA"),
                          activity("gua", "Guardia otra", "XXX"),
                          activity("MAT", "Reuni\xF3n de matem\xE1ticas de departamento", "REU"),
                          "",
                      }));
    f.run(TransformaAsignaturas);

    EXPECT_TRUE(f.host.messages.empty());
    EXPECT_EQ(f.host.result(), 1);
    const std::vector<Row> expected = {
        {{"COD", "MAT"},
         {"CODLARGO", "MATEMATICA"},
         {"NOMBRE", "Matem\xE1ticas"},
         {"ESTAREA", "False"},
         {"CODTAREA", ""}},
        {{"COD", "\xD1U"},
         {"CODLARGO", ""},
         {"NOMBRE", ""},
         {"ESTAREA", "False"},
         {"CODTAREA", ""}},
        {{"COD", "\xC1RB"},
         {"CODLARGO", ""},
         {"NOMBRE", "\xE1 y a no son iguales"},
         {"ESTAREA", "False"},
         {"CODTAREA", ""}},
        {{"COD", "ARB"}, {"CODLARGO", ""}, {"NOMBRE", ""}, {"ESTAREA", "False"}, {"CODTAREA", ""}},
        {{"COD", ""}, {"CODLARGO", ""}, {"NOMBRE", ""}, {"ESTAREA", "False"}, {"CODTAREA", ""}},
        {{"COD", "FIS"},
         {"CODLARGO", "FISICA Y Q"},
         {"NOMBRE", ""},
         {"ESTAREA", "False"},
         {"CODTAREA", ""}},
        {{"COD", "LAR"},
         {"CODLARGO", "L"},
         {"NOMBRE", std::string(80, 'n')},
         {"ESTAREA", "False"},
         {"CODTAREA", ""}},
        {{"COD", "*GUA"},
         {"CODLARGO", "Guardia"},
         {"NOMBRE", "Guardia"},
         {"ESTAREA", "True"},
         {"CODTAREA", "GUA"}},
        {{"COD", "*MAT"},
         {"CODLARGO", "Reuni\xF3n de"},
         {"NOMBRE", "Reuni\xF3n de matem\xE1ticas de departamento"},
         {"ESTAREA", "True"},
         {"CODTAREA", "REU"}},
        {{"COD", "*"}, {"CODLARGO", ""}, {"NOMBRE", ""}, {"ESTAREA", "True"}, {"CODTAREA", ""}},
    };
    EXPECT_EQ(f.rows("ASIGNOMT", kColumns), expected);
    const TableReport& report = f.tableReport("ASIGNOMT");
    EXPECT_TRUE(report.rebuilt);
    EXPECT_EQ(report.rowsWritten, 10);
    EXPECT_EQ(report.repeatedCodes, 4); // mat, ñu, the second blank line, gua
}

TEST(TransformaAsignaturas, MissingSubjectsFileLeavesTheTableAndSkipsActivities) {
    StepFixture f;
    writeSentinelTable(f.work.path(), "ASIGNOMT");
    f.write("SICE_ACTIVIDADES.TXT", {activity("GUA", "Guardia", "GUA")});
    f.run(TransformaAsignaturas);

    EXPECT_EQ(f.host.messages,
              std::vector<std::string>{"No existe archivo de asignaturas (SICE_ASIGNAT.TXT)"});
    EXPECT_EQ(f.host.result(), -1);
    EXPECT_TRUE(isSentinelTable(f.work.path(), "ASIGNOMT"));
    EXPECT_FALSE(f.tableReport("ASIGNOMT").rebuilt);
}

TEST(TransformaAsignaturas, EmptySubjectsFileWithoutActivitiesGivesAnEmptyTable) {
    StepFixture f;
    writeSentinelTable(f.work.path(), "ASIGNOMT");
    f.write("SICE_ASIGNAT.TXT", withFrame("SICE_ASIGNAT.TXT", {}));
    f.run(TransformaAsignaturas);

    EXPECT_TRUE(f.host.messages.empty());
    EXPECT_EQ(f.host.result(), 1);
    EXPECT_TRUE(f.rows("ASIGNOMT", kColumns).empty());
    EXPECT_TRUE(f.tableReport("ASIGNOMT").rebuilt);
}

} // namespace tts::import::test
