#include "base/Text.h"

#include <gtest/gtest.h>

namespace tts {

TEST(Text, TrimmingTakesEveryCodeUpTo32OffBothEndsAndNothingInside) {
    struct Case {
        std::string_view text;
        std::string_view trimmed;
    };
    using namespace std::string_view_literals;
    const Case cases[] = {
        {"  ab c \t", "ab c"},
        {"\0\x1A"
         "ab\r\n"sv,
         "ab"},
        {"\x7F"
         "a\xA0",
         "\x7F"
         "a\xA0"}, // DEL and the no-break space are text
        {" \x01 \x20", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(trimmedOfControls(c.text), c.trimmed);
}

TEST(Text, KeyPartsCannotRunIntoEachOther) {
    std::string ab_c, a_bc, colon;
    appendKeyPart(ab_c, "ab");
    appendKeyPart(ab_c, "c");
    appendKeyPart(a_bc, "a");
    appendKeyPart(a_bc, "bc");
    appendKeyPart(colon, "1:a");
    EXPECT_EQ(ab_c, "2:ab1:c");
    EXPECT_NE(ab_c, a_bc);
    EXPECT_EQ(colon, "3:1:a");
}

} // namespace tts
