#include "export/DayCoding.h"
#include "export/TimetableLines.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tts::exporting {
namespace {

struct DataLineCase {
    const char* name;
    DataValues values;
    std::string expected;
};

// The values of a line whose day, group, task and room are given as the row stores them, put
// through the rules the row loop applies: the day as SICE codes it, and the fallback of what the
// tables did not know (nullopt).
DataValues values(DayCoding coding, const char* day, std::optional<std::string_view> slot,
                  const char* group, std::optional<std::string_view> shortGroup,
                  std::optional<std::string_view> task, const char* room,
                  std::optional<std::string_view> shortRoom, const char* teacher = "P001",
                  const char* subject = "MAT") {
    return {slot.value_or(""),
            siceDayCode(coding, day),
            teacher,
            writtenShortCode(group, shortGroup),
            writtenTask(task),
            subject,
            writtenShortCode(room, shortRoom)};
}

// All four found: slot C01, group 1A, task GUA, room A1.
DataValues found(DayCoding coding, const char* day) {
    return values(coding, day, "C01", "1ESOA", "1A", "GUA", "AULA1", "A1");
}

TEST(TimetableLines, DataLines) {
    const std::vector<DataLineCase> cases = {
        {"letter mode, Monday", found(DayCoding::Letters, "1"), "1C01 LP0011A  GUA MAT A1  "},
        {"letter mode, Sunday", found(DayCoding::Letters, "7"), "1C01 DP0011A  GUA MAT A1  "},
        {"number mode keeps the digit", found(DayCoding::Numbers, "3"),
         "1C01 3P0011A  GUA MAT A1  "},
        {"letter mode, day 8 stays a digit", found(DayCoding::Letters, "8"),
         "1C01 8P0011A  GUA MAT A1  "},
        {"day 10 takes two columns and pushes", found(DayCoding::Letters, "10"),
         "1C01 10P0011A  GUA MAT A1  "},
        {"subject without task code: blank, not LEC",
         values(DayCoding::Letters, "2", "C01", "1ESOA", "1A", "", "AULA1", "A1"),
         "1C01 MP0011A      MAT A1  "},
        {"no slot: blank columns 2-5",
         values(DayCoding::Letters, "1", std::nullopt, "1ESOA", "1A", "GUA", "AULA1", "A1"),
         "1    LP0011A  GUA MAT A1  "},
        {"fallbacks: first 4 of group and room, LEC",
         values(DayCoding::Letters, "1", "C01", "2BACH-LETRAS", std::nullopt, std::nullopt,
                "LAB-QUIMICA", std::nullopt),
         "1C01 LP0012BACLEC MAT LAB-"},
        {"fallbacks shorter than 4 are padded",
         values(DayCoding::Letters, "1", "C01", "2B", std::nullopt, std::nullopt, "G",
                std::nullopt),
         "1C01 LP0012B  LEC MAT G   "},
        {"empty group and room not found: 4 spaces",
         values(DayCoding::Letters, "1", "C01", "", std::nullopt, std::nullopt, "", std::nullopt),
         "1C01 LP001    LEC MAT     "},
        {"long codes are never cut",
         values(DayCoding::Numbers, "5", "C0101", "1ESOA", "1A", "GUARD", "AULA1", "A1", "PROFESOR",
                "MATEMATICAS"),
         "1C01015PROFESOR1A  GUARDMATEMATICASA1  "},
        {"empty teacher and subject",
         values(DayCoding::Letters, "4", "", "1ESOA", "1A", "GUA", "", "", "", ""),
         "1    J    1A  GUA     "
         "    "},
    };
    for (const DataLineCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TimetableDataLine line(c.values);
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
