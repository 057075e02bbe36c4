#include "export/AnswerCache.h"

#include <gtest/gtest.h>

namespace tts::exporting {
namespace {

// Past several doublings of the array, every code still finds its own answer, exact bytes only.
TEST(AnswerCache, KeepsEveryAnswerByTheExactCodeAcrossGrowth) {
    AnswerCache cache;
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
    EXPECT_EQ(cache.find("G1")->value(), "A1");
}

} // namespace
} // namespace tts::exporting
