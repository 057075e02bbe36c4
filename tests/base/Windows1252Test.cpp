#include "base/Windows1252.h"

#include <gtest/gtest.h>

namespace tts {

TEST(Windows1252, EveryByteSurvivesTheWayToUnicodeAndBack) {
    for (int byte = 0; byte < 256; ++byte)
        EXPECT_EQ(unicodeToWindows1252(windows1252ToUnicode(static_cast<unsigned char>(byte))),
                  byte);
    EXPECT_EQ(windows1252ToUnicode(0x80), u'\u20AC');
    EXPECT_EQ(unicodeToWindows1252(U'\u4E2D'), -1);
}

TEST(Windows1252, TextForDisplayKeepsAPathsUtf8AndConvertsTheProgramsOwnTexts) {
    struct Case {
        const char* bytes;
        const char* shown;
    };
    const Case cases[] = {
        {"'x' no es un valor entero v\xE1lido", "'x' no es un valor entero v\u00E1lido"},
        {"Cannot open file \"/tmp/a\xC3\xB1o/sice_prof.txt\"",
         "Cannot open file \"/tmp/a\u00F1o/sice_prof.txt\""},
        {"Cannot open file \"C:\\\xC5\x81\xC3\xB3"
         "d\xC5\xBA\"",
         "Cannot open file \"C:\\\u0141\u00F3d\u017A\""},
        // Our own accents and a path's, side by side in one message.
        {"La tabla est\xE1 en uso.\nTabla: /tmp/A\xC3\xB1o/\xC5\x81\xC3\xB3"
         "d\xC5\xBA/ASIGT.DBF",
         "La tabla est\u00E1 en uso.\nTabla: /tmp/A\u00F1o/\u0141\u00F3d\u017A/ASIGT.DBF"},
        {"Otra transformaci\xF3n usa /h/A\xC3\xB1o", "Otra transformaci\u00F3n usa /h/A\u00F1o"},
        {"\xBD \x80", "\u00BD \u20AC"},
        // A run of our own letters ends where a path's UTF-8 begins.
        {"\xAB\xE1\xC3\xB1\xBB", "\u00AB\u00E1\u00F1\u00BB"},
        {"\xC3", "\u00C3"}, // a lone lead byte is not UTF-8
        {"plain", "plain"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textForDisplay(c.bytes), c.shown) << c.bytes;
}

} // namespace tts
