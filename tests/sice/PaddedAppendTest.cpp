#include "sice/PaddedAppend.h"

#include <gtest/gtest.h>

namespace tts::sice {
namespace {

TEST(PaddedAppend, PadsToTheWidthButNeverCuts) {
    const struct {
        const char* value;
        int width;
        std::string appended;
    } table[] = {
        {"abc", 8, "abc     "},
        {"", 8, std::string(8, ' ')},
        {"123456789012", 8, "123456789012"},
        {"1234", 4, "1234"},
        {"X", 1, "X"},
        {"", 1, " "},
        {"\xD1", 4, "\xD1   "},
        {"SICE_HORARIO.TXT", 50, "SICE_HORARIO.TXT" + std::string(34, ' ')},
        {"", 200, std::string(95, ' ')}, // the run of spaces is 95 long
        {"ab", 120, "ab" + std::string(95, ' ')},
        {"ab", 0, "ab"},
    };
    for (const auto& row : table) {
        std::string line = "0";
        appendPadded(line, row.value, row.width);
        EXPECT_EQ(line, "0" + row.appended) << '"' << row.value << "\" width " << row.width;

        // Built in place, the same bytes, and the next field goes right after them.
        std::string inPlace(paddedSize(row.value, row.width) + 1, '#');
        EXPECT_EQ(writePadded(inPlace.data(), row.value, row.width), &inPlace.back());
        EXPECT_EQ(inPlace, row.appended + "#") << '"' << row.value << "\" width " << row.width;
    }
}

} // namespace
} // namespace tts::sice
