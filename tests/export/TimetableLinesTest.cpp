#include "export/DayCoding.h"
#include "export/TimetableLines.h"

#include <gtest/gtest.h>

namespace tts::exporting {
namespace {

struct DataLineCase {
    const char* name;
    DayCoding coding;
    SolucRow row;
    Translations found;
    std::string expected;
};

const Translations kAllFound{"C01", "1A", "GUA", "A1"};

// The values are literals, which outlive the views of the row.
SolucRow row(const char* day, const char* teacher = "P001", const char* group = "1ESOA",
             const char* task = "*GUA", const char* subject = "MAT", const char* room = "AULA1") {
    return {day, "1", teacher, group, task, subject, room};
}

TEST(TimetableLines, DataLines) {
    const std::vector<DataLineCase> cases = {
        {"letter mode, Monday", DayCoding::Letters, row("1"), kAllFound,
         "1C01 LP0011A  GUA MAT A1  "},
        {"letter mode, Sunday", DayCoding::Letters, row("7"), kAllFound,
         "1C01 DP0011A  GUA MAT A1  "},
        {"number mode keeps the digit", DayCoding::Numbers, row("3"), kAllFound,
         "1C01 3P0011A  GUA MAT A1  "},
        {"letter mode, day 8 stays a digit", DayCoding::Letters, row("8"), kAllFound,
         "1C01 8P0011A  GUA MAT A1  "},
        {"day 10 takes two columns and pushes", DayCoding::Letters, row("10"), kAllFound,
         "1C01 10P0011A  GUA MAT A1  "},
        {"subject without task code: blank, not LEC",
         DayCoding::Letters,
         row("2"),
         {"C01", "1A", "", "A1"},
         "1C01 MP0011A      MAT A1  "},
        {"no slot: blank columns 2-5",
         DayCoding::Letters,
         row("1"),
         {std::nullopt, "1A", "GUA", "A1"},
         "1    LP0011A  GUA MAT A1  "},
        {"fallbacks: first 4 of group and room, LEC",
         DayCoding::Letters,
         row("1", "P001", "2BACH-LETRAS", "XYZ", "MAT", "LAB-QUIMICA"),
         {"C01", std::nullopt, std::nullopt, std::nullopt},
         "1C01 LP0012BACLEC MAT LAB-"},
        {"fallbacks shorter than 4 are padded",
         DayCoding::Letters,
         row("1", "P001", "2B", "XYZ", "MAT", "G"),
         {"C01", std::nullopt, std::nullopt, std::nullopt},
         "1C01 LP0012B  LEC MAT G   "},
        {"empty group and room not found: 4 spaces",
         DayCoding::Letters,
         row("1", "P001", "", "", "MAT", ""),
         {"C01", std::nullopt, std::nullopt, std::nullopt},
         "1C01 LP001    LEC MAT     "},
        {"long codes are never cut",
         DayCoding::Numbers,
         row("5", "PROFESOR", "1ESOA", "*GUA", "MATEMATICAS", "AULA1"),
         {"C0101", "1A", "GUARD", "A1"},
         "1C01015PROFESOR1A  GUARDMATEMATICASA1  "},
        {"empty teacher and subject",
         DayCoding::Letters,
         row("4", "", "1ESOA", "*GUA", "", ""),
         {"", "1A", "GUA", ""},
         "1    J    1A  GUA     "
         "    "},
    };
    for (const DataLineCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TimetableDataLine line(
            dataLineValues(siceDayCode(c.coding, c.row.day), c.row, c.found));
        std::string written(line.size() + 1, '#'); // one byte more: nothing is written past it
        line.write(written.data());
        EXPECT_EQ(written, c.expected + "#");
    }
}

TEST(TimetableLines, HeaderAndTrailer) {
    const std::string name = "SICE_HORARIO.TXT" + std::string(34, ' ');
    EXPECT_EQ(timetableHeaderLine("HC2024  ", "010920240805"), "0" + name + "HC2024  010920240805");
    EXPECT_EQ(timetableHeaderLine("", "010920240805"), "0" + name + "        010920240805");
    EXPECT_EQ(timetableHeaderLine("AB", "010920240805"), "0" + name + "AB      010920240805");
    EXPECT_EQ(timetableTrailerLine("HC2024  ", "010920240806", 0),
              "9" + name + "HC2024  010920240806" + "0");
    EXPECT_EQ(timetableTrailerLine("HC", "311220252359", 1234),
              "9" + name + "HC      311220252359" + "1234");
}

TEST(TimetableLines, ShortCodeFallbackTakesTheFirstFourBytes) {
    EXPECT_EQ(shortCodeFallback(""), "");
    EXPECT_EQ(shortCodeFallback("1A"), "1A");
    EXPECT_EQ(shortCodeFallback("\xD1OA1X"), "\xD1OA1"); // Windows-1252 stays one byte a letter
}

} // namespace
} // namespace tts::exporting
