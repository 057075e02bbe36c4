#include "base/CaseTable.h"
#include "base/ErrorText.h"

#include <gtest/gtest.h>

namespace tts {

TEST(CaseTable, EqualitiesOfWindows1252Letters) {
    struct Case {
        const char* a;
        const char* b;
        bool equal;
    };
    const Case cases[] = {
        {"AB", "ab", true},     {"AB", "Ab", true},     {"\xD1", "\xF1", true},  // Ñ ñ
        {"\xC1", "\xE1", true}, {"a", "\xE1", false},   {"\xD7", "\xF7", false}, // × ÷
        {"\x8A", "\x9A", true}, {"\x8C", "\x9C", true}, {"\x8E", "\x9E", true},
        {"\x9F", "\xFF", true}, {"\xDE", "\xFE", true}, {"\xDF", "\xFF", false},
        {"A", "AA", false},     {"[", "{", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(equalsIgnoringCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
}

TEST(CaseTable, AsciiOnlyUpperCaseLeavesOtherLettersAlone) {
    EXPECT_EQ(upperAsciiOnly("sice_prof.txt \xF1\xE1"), "SICE_PROF.TXT \xF1\xE1");
    EXPECT_EQ(lowerAsciiOnly("IMPORTAR \xD1"), "importar \xD1");
}

TEST(ErrorText, FullStopRule) {
    EXPECT_EQ(withFullStop("No existe"), "No existe.");
    EXPECT_EQ(withFullStop(""), "");
    EXPECT_EQ(withFullStop("Hecho."), "Hecho.");
    EXPECT_EQ(withFullStop("con espacio "), "con espacio ");
    EXPECT_EQ(withFullStop("coma,"), "coma,"); // ',' sorts below '.'
    EXPECT_EQ(withFullStop("\xE1"), "\xE1.");
}

} // namespace tts
