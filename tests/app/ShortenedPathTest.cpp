#include "app/ShortenedPath.h"

#include <gtest/gtest.h>

namespace tts::app {
namespace {

// One unit per character keeps the expected steps easy to follow.
int characters(const std::string& text) {
    return static_cast<int>(text.size());
}

struct Case {
    std::string path;
    int maxWidth;
    char separator;
    std::string expected;
};

TEST(ShortenedPathTest, DropsFoldersFromTheDriveOnwardsUntilItFits) {
    const Case cases[] = {
        {"/a1/b2/c3/d4", 12, '/', "/a1/b2/c3/d4"},
        {"/a1/b2/c3/d4", 11, '/', "/.../c3/d4"},
        {"/a1/b2/c3/d4", 10, '/', "/.../c3/d4"},
        {"/a1/b2/c3/d4", 9, '/', "/.../d4"},
        {"/a1/b2/c3/d4", 6, '/', ".../d4"},
        {"/a1/b2/c3/d4", 5, '/', "d4"},
        {"/a1/b2/c3/d4", 0, '/', "d4"},
        {"C:\\a1\\b2\\c3", 11, '\\', "C:\\a1\\b2\\c3"},
        {"C:\\a1\\b2\\c3", 10, '\\', "C:\\...\\c3"},
        {"C:\\a1\\b2\\c3", 8, '\\', "...\\c3"},
        {"C:\\a1\\b2\\c3", 2, '\\', "c3"},
        // A folder whose name starts with a dot is a folder like any other, not our marker.
        {"/.wine/drive_c/sice", 18, '/', "/.../drive_c/sice"},
        {"/.wine/drive_c/sice", 16, '/', "/.../sice"},
        {"/.../b/c", 7, '/', "/.../c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " in " + std::to_string(c.maxWidth));
        EXPECT_EQ(shortenedPath(c.path, c.maxWidth, characters, c.separator), c.expected);
    }
}

TEST(ShortenedPathTest, MeasuresWithTheGivenWidth) {
    // Wide "W"s do not fit where narrow letters would.
    auto wideW = [](const std::string& text) {
        int width = 0;
        for (char c : text)
            width += c == 'W' ? 10 : 1;
        return width;
    };
    EXPECT_EQ(shortenedPath("/ab/cd/ef", 10, wideW, '/'), "/ab/cd/ef");
    EXPECT_EQ(shortenedPath("/WW/cd/ef", 10, wideW, '/'), "/.../cd/ef");
}

} // namespace
} // namespace tts::app
