#include "sice/CodeList.h"

#include <gtest/gtest.h>

namespace tts::sice {
namespace {

TEST(CodeList, ComparesWithWindows1252LetterCase) {
    const struct {
        const char* stored;
        const char* asked;
        bool repeat;
    } table[] = {
        {"AB", "AB", true},
        {"AB", "ab", true},
        {"AB", "Ab", true},
        {"\xD1", "\xF1", true}, // Ñ ñ
        {"\xF1", "\xD1", true},
        {"\xC1"
         "R",
         "\xE1"
         "r",
         true},               // ÁR ár
        {"\xE1", "a", false}, // á is not a
        {"a", "\xE1", false},
        {"\xD7", "\xF7", false}, // × is not ÷
        {"\x8A", "\x9A", true},  // Š š
        {"MAT", "MAT ", false},
        {"MAT", "MA", false},
        {"", "", true},
        {"", " ", false},
    };
    for (const auto& row : table) {
        CodeList list;
        EXPECT_TRUE(list.addOrFind(row.stored).second);
        EXPECT_EQ(!list.addOrFind(row.asked).second, row.repeat)
            << row.stored << " / " << row.asked;
    }
}

// A repeated code finds the position of its first spelling, whatever the letter case.
TEST(CodeList, FindsTheFirstEntryOfACode) {
    CodeList list;
    const struct {
        const char* code;
        size_t position;
        bool added;
    } steps[] = {{"mat", 0, true},   {"*GUA", 1, true}, {"Len", 2, true}, {"MAT", 0, false},
                 {"*gua", 1, false}, {"GUA", 3, true},  {"ING", 4, true}, {"len", 2, false}};
    for (const auto& step : steps)
        EXPECT_EQ(list.addOrFind(step.code), std::make_pair(step.position, step.added))
            << step.code;
}

} // namespace
} // namespace tts::sice
