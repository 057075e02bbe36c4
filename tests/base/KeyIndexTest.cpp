#include "base/KeyIndex.h"

#include <gtest/gtest.h>

#include <string>

namespace tts {
namespace {

// Enough keys to grow the table many times over, among them keys that differ only in one byte
// and keys that share a prefix: each keeps the number it was first given.
TEST(KeyIndex, KeepsTheFirstNumberOfEveryKeyAsItGrows) {
    KeyIndex index;
    constexpr size_t kKeys = 5000;
    for (size_t i = 0; i < kKeys; ++i)
        EXPECT_TRUE(index.add("k" + std::to_string(i), i).second);
    for (size_t i = 0; i < kKeys; ++i) {
        const auto [value, added] = index.add("k" + std::to_string(i), kKeys + i);
        EXPECT_FALSE(added);
        EXPECT_EQ(value, i);
    }
    ASSERT_EQ(index.size(), kKeys);
    for (size_t i = 0; i < kKeys; i += 97) {
        const size_t* found = index.find("k" + std::to_string(i));
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(*found, i);
        EXPECT_EQ(index.key(i), "k" + std::to_string(i));
    }
    EXPECT_EQ(index.find("k"), nullptr);
    EXPECT_EQ(index.find("k5000"), nullptr);
    EXPECT_EQ(index.find(std::string("k1\0", 3)), nullptr);
}

TEST(KeyIndex, ComparesBytesOrIgnoresLetterCase) {
    struct Case {
        const char* stored;
        const char* asked;
        bool exactFinds;
        bool ignoringCaseFinds;
    };
    const Case cases[] = {
        {"AB", "AB", true, true},
        {"AB", "ab", false, true},
        {"\xD1", "\xF1", false, true}, // Ñ ñ
        {"\xE1", "a", false, false},   // á is not a
        {"", "", true, true},
        {"", " ", false, false},
        {"AB", "AB ", false, false},
        // Past a word, and past what is folded in one go.
        {"ABCDEFGHIJ\xC9KLMNOPQ", "abcdefghij\xE9klmnopq", false, true},
        {"ABCDEFGHIJKLMNOPQ", "ABCDEFGHIJKLMNOPR", false, false},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZ",
         "abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz", false,
         true},
    };
    for (const Case& c : cases) {
        KeyIndex exact;
        KeyIndex folding(KeyIndex::LetterCase::Ignored);
        exact.add(c.stored, 7);
        folding.add(c.stored, 7);
        EXPECT_EQ(exact.find(c.asked) != nullptr, c.exactFinds) << c.stored << " / " << c.asked;
        EXPECT_EQ(folding.find(c.asked) != nullptr, c.ignoringCaseFinds)
            << c.stored << " / " << c.asked;
        EXPECT_EQ(folding.key(0), c.stored); // kept as given
    }
    EXPECT_EQ(KeyIndex().find(""), nullptr); // nothing added yet
}

} // namespace
} // namespace tts
