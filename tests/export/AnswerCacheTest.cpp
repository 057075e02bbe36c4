#include "export/AnswerCache.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tts::exporting {
namespace {

// Past several doublings of the index, every stored value still finds its own answer, by its
// exact bytes only, and the first answer given for some bytes is the one kept.
TEST(AnswerCache, KeepsTheFirstAnswerOfEveryStoredValueAcrossGrowth) {
    AnswerCache<std::optional<std::string>> cache;
    auto codeOf = [](int i) { return "G" + std::to_string(i); };
    for (int i = 0; i < 5000; ++i)
        cache.add(codeOf(i),
                  i % 7 == 0 ? std::nullopt : std::optional<std::string>("A" + std::to_string(i)));
    for (int i = 0; i < 5000; ++i) {
        const std::optional<std::string>* answer = cache.find(codeOf(i));
        ASSERT_NE(answer, nullptr) << codeOf(i);
        if (i % 7 == 0)
            EXPECT_FALSE(answer->has_value()) << codeOf(i); // a miss is remembered as a miss
        else
            EXPECT_EQ(answer->value(), "A" + std::to_string(i));
    }
    for (const char* never : {"", "g1", "G1 ", "G5000", "G-1"})
        EXPECT_EQ(cache.find(never), nullptr) << never;

    cache.add(std::string("G1\0x", 4), std::string("NUL"));
    EXPECT_EQ(cache.find(std::string("G1\0x", 4))->value(), "NUL");
    EXPECT_EQ(cache.add("G1", std::string("again")).value(), "A1");
    EXPECT_EQ(cache.find("G1")->value(), "A1");
}

// A field read straight out of its rows finds what its stored bytes were given, whatever its
// width and wherever it lies: near the end of a row it is read as bytes, not as words.
TEST(AnswerCache, FieldOfARowFindsWhatItsStoredBytesWereGiven) {
    constexpr size_t kRowSize = 40;
    for (size_t width : {0, 1, 3, 4, 5, 7, 8, 9, 12, 15, 16, 20}) {
        for (size_t offset : {size_t{0}, size_t{1}, kRowSize - 16 - width / 2, kRowSize - width}) {
            SCOPED_TRACE(testing::Message() << "width " << width << " at " << offset);
            // Values that differ in their first or last byte only, NUL bytes among them, in
            // rows whose other bytes change from row to row.
            auto rowOf = [&](int i, char filler) {
                std::string row(kRowSize, filler);
                for (size_t b = 0; b < width; ++b)
                    row[offset + b] = static_cast<char>(b % 3 == 1 ? 0 : 'K');
                if (width > 0) {
                    row[offset] = static_cast<char>(i / 256);
                    row[offset + width - 1] = static_cast<char>(i % 256);
                }
                return row;
            };
            const int values = width == 0 ? 1 : width == 1 ? 256 : 600;
            AnswerCache<int> cache;
            for (int i = 0; i < values; ++i)
                cache.add(rowOf(i, ' ').substr(offset, width), i);
            const StoredKey key(offset, width, kRowSize);
            for (int i = 0; i < values; ++i) {
                const int* found = cache.find(key, rowOf(i, static_cast<char>('a' + i % 26)));
                ASSERT_NE(found, nullptr) << i;
                EXPECT_EQ(*found, i);
            }
            if (width > 1) {
                std::string other = rowOf(0, ' ');
                other[offset + 1] = 'Z';
                EXPECT_EQ(cache.find(key, other), nullptr);
            }
        }
    }
}

} // namespace
} // namespace tts::exporting
