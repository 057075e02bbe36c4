#include "base/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
    const std::string longPart(300, 'x'); // past what one length byte holds
    struct Case {
        std::vector<std::string> one, other;
    };
    const Case cases[] = {
        {{"ab", "c"}, {"a", "bc"}},
        {{"1:a"}, {"1", "a"}},
        {{"", "a"}, {"a", ""}},
        {{std::string(1, '\x01'), ""}, {"", std::string(1, '\x01')}},
        {{longPart, "y"}, {longPart + "y"}},
        {{longPart, ""}, {longPart.substr(1), "x"}},
    };
    const auto keyOf = [](const std::vector<std::string>& parts) {
        std::string key;
        for (const std::string& part : parts)
            appendKeyPart(key, part);
        return key;
    };
    for (const Case& c : cases)
        EXPECT_NE(keyOf(c.one), keyOf(c.other));
}

} // namespace tts
