#include "sice/Field.h"

#include <gtest/gtest.h>

namespace tts::sice {
namespace {

using namespace std::string_literals;

TEST(Field, ColumnsAreCutAtTheLineEndAndTrimmed) {
    // A groups line cut after column 30.
    const std::string thirty =
        std::string("1") + "1ESOA     " + "1A  " + "ESO" + "   " + "1  " + "ESO AZ";
    ASSERT_EQ(thirty.size(), 30u);
    const struct {
        std::string line;
        int first, last;
        std::string value;
    } table[] = {
        {thirty, 35, 37, ""},       // wholly past the end
        {thirty, 25, 34, "ESO AZ"}, // cut at the end of the line
        {thirty, 2, 11, "1ESOA"},
        {thirty, 22, 24, "1"},
        {thirty, 1, 1, "1"},
        {thirty, 31, 31, ""},              // the first column past the end
        {" \t\0AB C\r\n"s, 1, 20, "AB C"}, // 0-32 go from both ends only
        {"\xA0"
         "AB\xA0 "s,
         1, 10,
         "\xA0"
         "AB\xA0"}, // no-break space stays
        {"\x7F"
         "x\x7F"s,
         1, 3,
         "\x7F"
         "x\x7F"},                  // so does DEL
        {"\0\x1F \x01"s, 1, 4, ""}, // only removable bytes
        {"", 1, 4, ""},
        {"abc", 3, 2, ""}, // last before first
    };
    for (const auto& row : table)
        EXPECT_EQ(field(row.line, row.first, row.last), row.value)
            << "columns " << row.first << "-" << row.last;
}

TEST(Field, RawFieldKeepsTheSpaces) {
    EXPECT_EQ(rawField("0SICE_ASIGNAT.TXT" + std::string(34, ' ') + "3799  42", 52, 59),
              "3799  42");
    EXPECT_EQ(rawField("0" + std::string(50, ' ') + "37 ", 52, 59), "37 ");
    EXPECT_EQ(rawField("short", 52, 59), "");
}

} // namespace
} // namespace tts::sice
