#include "base/Error.h"
#include "export/DayCoding.h"

#include "tests/support/ErrorText.h"
#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

namespace tts::exporting {
namespace {

using test::crlfLines;

TEST(DayCoding, ColumnNineOfTheSecondLine) {
    struct Case {
        std::string secondLine;
        DayCoding expected;
    };
    const std::vector<Case> cases = {
        {"1   C01 70800", DayCoding::Numbers},
        {"1   C01 10800", DayCoding::Numbers},
        {"1   C01 L0800", DayCoding::Letters},
        {"1   C01 00800", DayCoding::Letters},
        {"1   C01 80800", DayCoding::Letters},
        {"1   C01 ", DayCoding::Letters},
        {"", DayCoding::Letters},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.secondLine);
        // Only the second line counts: the first and third say the opposite.
        const std::string bytes = crlfLines({"0   XXXX1", c.secondLine, "1   C02 L"});
        EXPECT_EQ(dayCodingFrom(sice::WholeFileLines(bytes)), c.expected);
    }
}

TEST(DayCoding, FewerThanTwoLinesIsAnIndexError) {
    for (const auto& lines : {std::vector<std::string>{}, std::vector<std::string>{"1   C01 1"}}) {
        const std::string bytes = crlfLines(lines);
        EXPECT_EQ(tts::test::errorOf([&] { dayCodingFrom(sice::WholeFileLines(bytes)); }),
                  "List index out of bounds (1)");
    }
}

TEST(DayCoding, SicedDay) {
    EXPECT_EQ(siceDayCode(DayCoding::Letters, "1"), "L");
    EXPECT_EQ(siceDayCode(DayCoding::Letters, "2"), "M");
    EXPECT_EQ(siceDayCode(DayCoding::Letters, "3"), "X");
    EXPECT_EQ(siceDayCode(DayCoding::Letters, "4"), "J");
    EXPECT_EQ(siceDayCode(DayCoding::Letters, "5"), "V");
    EXPECT_EQ(siceDayCode(DayCoding::Letters, "6"), "S");
    EXPECT_EQ(siceDayCode(DayCoding::Letters, "7"), "D");
    for (const char* unchanged : {"8", "10", "17", "01", "-1", "L"})
        EXPECT_EQ(siceDayCode(DayCoding::Letters, unchanged), unchanged);
    for (const char* day : {"1", "7", "10"})
        EXPECT_EQ(siceDayCode(DayCoding::Numbers, day), day);
}

} // namespace
} // namespace tts::exporting
