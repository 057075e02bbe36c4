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

} // namespace
} // namespace tts::exporting
