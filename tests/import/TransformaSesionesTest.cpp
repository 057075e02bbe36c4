#include "ImportFixture.h"
#include "base/Error.h"
#include "import/ImportSteps.h"
#include "import/SlotMinutes.h"

#include "tests/support/ErrorText.h"

#include <gtest/gtest.h>

namespace tts::import::test {

namespace {
const std::vector<std::string> kColumns = {"DIHO", "CODDIHO",   "DIA",       "TEXTODIA",
                                           "HORA", "HORADESDE", "HORAHASTA", "MINUTOS"};

std::string slot(const std::string& code, const std::string& day, const std::string& start,
                 const std::string& end) {
    return columns(
        {{1, " "}, {2, "xxx"}, {5, code}, {9, day}, {10, start}, {14, end}, {18, "resto"}});
}

Row row(const std::string& diho, const std::string& code, const std::string& day,
        const std::string& hora, const std::string& start, const std::string& end,
        const std::string& minutes) {
    return {{"DIHO", diho}, {"CODDIHO", code},    {"DIA", day},       {"TEXTODIA", ""},
            {"HORA", hora}, {"HORADESDE", start}, {"HORAHASTA", end}, {"MINUTOS", minutes}};
}
} // namespace

TEST(TransformaSesiones, SlotNumbersCoverTheDistinctStartTimesOfTheWholeWeek) {
    StepFixture f;
    f.write("sice_sesiones.txt",
            withFrame("SICE_SESIONES.TXT", {
                                               slot("0001", "L", "0800", "0850"),
                                               slot("0002", "L", "0855", "0950"),
                                               slot("0003", "L", "0950", "1045"),
                                               slot("0004", "M", "0800", "0850"),
                                               slot("0005", "M", "0900", "0855"),
                                               slot("0006", "l", "0830", "1025"),
                                               slot("0007", "3", "800", "900"),
                                               slot("0008", "", "0855", "0950"),
                                           }));
    f.run(TransformaSesiones);

    EXPECT_TRUE(f.host.messages.empty());
    // Start times in order: 0800 0830 0855 0900 0950 800.
    const std::vector<Row> expected = {
        row("L1", "0001", "L", "1", "0800", "0850", "50"),
        row("L3", "0002", "L", "3", "0855", "0950", "55"),
        row("L5", "0003", "L", "5", "0950", "1045", "55"),
        row("M1", "0004", "M", "1", "0800", "0850", "50"),
        row("M4", "0005", "M", "4", "0900", "0855", "-5"),
        row("l2", "0006", "l", "2", "0830", "1025", "115"),
        row("36", "0007", "3", "6", "800", "900", "60"),
        row("3", "0008", "", "3", "0855", "0950", "55"),
    };
    EXPECT_EQ(f.rows("DIASHORAST", kColumns), expected);
    EXPECT_EQ(f.tableReport("DIASHORAST").rowsWritten, 8);
}

TEST(TransformaSesiones, TheWorkedExample) {
    StepFixture f;
    f.write("sice_sesiones.txt", {slot("1", "L", "0800", "0855"), slot("2", "L", "0855", "0950"),
                                  slot("3", "L", "0950", "1045"), slot("4", "M", "0800", "0900"),
                                  slot("5", "M", "0900", "0955")});
    f.run(TransformaSesiones);
    EXPECT_EQ(readColumn(f.work.path(), "DIASHORAST", "DIHO"),
              (std::vector<std::string>{"L1", "L2", "L4", "M1", "M3"}));
}

TEST(SlotMinutes, RealLengthOfTheSlot) {
    struct Case {
        int32_t start, end;
        int64_t minutes;
    };
    for (const Case& c : std::vector<Case>{{800, 850, 50},
                                           {830, 925, 55},
                                           {830, 1025, 115},
                                           {1155, 1250, 55},
                                           {0, 2359, 1439},
                                           {900, 850, -10},
                                           {INT32_MAX, INT32_MIN, -2576980415}})
        EXPECT_EQ(slotMinutes(c.start, c.end), c.minutes) << c.start << "-" << c.end;
}

TEST(TransformaSesiones, TimesThatAreNotWholeNumbersEndTheRunAndKeepTheTable) {
    struct Case {
        std::string badLine;
        std::string message;
    };
    const std::vector<Case> cases = {
        {slot("0002", "L", "08A0", "0950"), "'08A0' no es un valor entero v\xE1lido"},
        {slot("0002", "L", "08A0", "9:50"), "'9:50' no es un valor entero v\xE1lido"},
        {slot("0002", "L", "0855", ""), "'' no es un valor entero v\xE1lido"},
        {"   \t ", "'' no es un valor entero v\xE1lido"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.badLine);
        StepFixture f;
        writeSentinelTable(f.work.path(), "DIASHORAST");
        f.write("sice_sesiones.txt", {slot("0001", "L", "0800", "0850"), c.badLine});
        const std::vector<std::string> filesBefore = f.work.names();
        EXPECT_EQ(tts::test::errorOf([&] { f.run(TransformaSesiones); }), c.message);
        EXPECT_TRUE(isSentinelTable(f.work.path(), "DIASHORAST"));
        EXPECT_EQ(f.work.names(), filesBefore);
    }
}

TEST(TransformaSesiones, MissingFileLeavesTheTable) {
    StepFixture f;
    writeSentinelTable(f.work.path(), "DIASHORAST");
    f.run(TransformaSesiones);
    EXPECT_EQ(f.host.messages,
              std::vector<std::string>{"No existe archivo de grupos (SICE_SESIONES.TXT)"});
    EXPECT_EQ(f.host.result(), -1);
    EXPECT_TRUE(isSentinelTable(f.work.path(), "DIASHORAST"));
}

} // namespace tts::import::test
