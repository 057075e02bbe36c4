#include "ImportFixture.h"
#include "base/Error.h"
#include "import/ImportSteps.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tts::import::test {

TEST(TableRebuild, ATableSomeoneHoldsStopsTheStepAndStaysAsItWas) {
    StepFixture f;
    writeSentinelTable(f.work.path(), "PROFT");
    f.write("sice_prof.txt", {columns({{2, "JPG"}, {6, "P\xE9rez"}})});
    const std::vector<std::string> filesBefore = f.work.names();
    {
        tables::WorkTable held =
            tables::WorkTable::open(f.work.path(), "PROFT", tables::OpenMode::Shared);
        try {
            f.run(TransformaProfesores);
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_EQ(error.message().rfind("La tabla est\xE1 en uso.", 0), 0u) << error.message();
        }
    }
    EXPECT_TRUE(isSentinelTable(f.work.path(), "PROFT"));
    EXPECT_EQ(f.work.names(), filesBefore);
}

TEST(TableRebuild, TheNewTableReplacesTheStoredSpellingAndTheIndexOnlyWhenDone) {
    StepFixture f;
    writeSentinelTable(f.work.path(), "proft");
    writeLines(f.work.file("PROFT.MDX"), {"index"});
    writeLines(f.work.file("DIASHORAST.MDX"), {"index"});
    f.write("sice_prof.txt", {columns({{2, "JPG"}, {6, "P\xE9rez"}})});
    f.write("sice_sesiones.txt", {columns({{5, "0001"}, {9, "L"}, {10, "08h"}, {14, "0900"}})});
    f.run(TransformaProfesores);
    EXPECT_THROW(f.run(TransformaSesiones), Error);

    EXPECT_EQ(f.work.names(), (std::vector<std::string>{"DIASHORAST.MDX", "proft.DBF"}));
    EXPECT_EQ(readColumn(f.work.path(), "PROFT", "ABREV"), std::vector<std::string>{"JPG"});
}

} // namespace tts::import::test
