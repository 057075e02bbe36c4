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
        list.add(row.stored);
        EXPECT_EQ(list.contains(row.asked), row.repeat) << row.stored << " / " << row.asked;
    }
}

TEST(CodeList, KeepsCodesAsReadInOrder) {
    CodeList list;
    EXPECT_FALSE(list.contains("MAT"));
    for (const char* code : {"mat", "*GUA", "Len", "MAT", "*gua", "ING"})
        if (!list.contains(code))
            list.add(code);
    EXPECT_EQ(list.codes(), (std::vector<std::string>{"mat", "*GUA", "Len", "ING"}));
    EXPECT_TRUE(list.contains("len"));
    EXPECT_FALSE(list.contains("GUA"));
}

} // namespace
} // namespace tts::sice
