#include "export/HeaderCode.h"

#include "tests/support/FileBytes.h"

#include <gtest/gtest.h>

namespace tts::exporting {
namespace {

std::string headerWith(const std::string& fromColumn52) {
    return "0SICE_ASIGNAT.TXT" + std::string(34, ' ') + fromColumn52;
}

TEST(HeaderCode, FirstLineStartingWithZero) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"columns 52-59 as they stand", {headerWith("HC2024  010920241200")}, "HC2024  "},
        {"blanks inside and around are kept", {headerWith(" A B    0109")}, " A B    "},
        {"a short line gives a short code", {headerWith("HC2")}, "HC2"},
        {"a line ending before column 52 gives nothing", {"0SICE_ASIGNAT.TXT"}, ""},
        {"no line starts with 0", {"1MAT", " 0XXX", "9" + headerWith("TRAILER1")}, ""},
        {"the first header wins, wherever it is",
         {"1MAT", headerWith("FIRST   "), headerWith("SECOND  ")},
         "FIRST   "},
        {"no lines", {}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string bytes = test::crlfLines(c.lines);
        EXPECT_EQ(headerCodeFrom(sice::WholeFileLines(bytes)), c.expected);
    }
}

} // namespace
} // namespace tts::exporting
