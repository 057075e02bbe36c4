// A word-wrapped label's lines, measured in whole pixels per character as the Windows window
// measures them.

#include "app/WordWrap.h"

#include <gtest/gtest.h>

namespace tts::app {
namespace {

TEST(WordWrap, BreaksWhereWholePixelWidthsRunOver) {
    const auto tenEach = [](char) { return 10; };
    struct Case {
        const char* text;
        int width;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"ab cd ef", 50, {"ab cd", "ef"}},       // "ab cd" is exactly 50
        {"ab cd ef", 49, {"ab", "cd", "ef"}},    // one pixel short
        {"ab  cd", 60, {"ab  cd"}},              // the blanks inside a line are kept
        {"ab  cd", 50, {"ab", "cd"}},            // and dropped where it breaks
        {"abcdefgh ij", 30, {"abcdefgh", "ij"}}, // too wide a word stands alone
        {"ab cd ", 50, {"ab cd"}},               // a trailing blank takes no room
        {"", 50, {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " in " + std::to_string(c.width));
        EXPECT_EQ(wrappedLines(c.text, c.width, tenEach), c.lines);
    }
}

} // namespace
} // namespace tts::app
