#include "base/Error.h"
#include "base/Numbers.h"

#include "tests/support/ErrorText.h"

#include <clocale>
#include <gtest/gtest.h>
#include <optional>

namespace tts {

TEST(Numbers, WholeNumbers) {
    EXPECT_EQ(toInteger("0"), 0);
    EXPECT_EQ(toInteger("+12"), 12);
    EXPECT_EQ(toInteger("-0850"), -850);
    EXPECT_EQ(toInteger("2147483647"), 2147483647);
    EXPECT_EQ(toInteger("-2147483648"), INT32_MIN);
    for (const char* bad : {"", "+", "-", " 1", "1 ", "1.0", "0x10", "2147483648", "-2147483649",
                            "99999999999999999999", "1e3", "\xBD"}) {
        EXPECT_EQ(tts::test::errorOf([&] { toInteger(bad); }),
                  std::string("'") + bad + "' no es un valor entero v\xE1lido");
    }
}

TEST(Numbers, DecimalsUseAPointWhateverTheLocale) {
    std::setlocale(LC_ALL, "es_ES.UTF-8"); // may be missing; the result must not depend on it
    EXPECT_DOUBLE_EQ(toDecimal("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(toDecimal("-1.25"), -1.25);
    EXPECT_DOUBLE_EQ(toDecimal("+3"), 3.0);
    EXPECT_DOUBLE_EQ(toDecimal(".5"), 0.5);
    EXPECT_DOUBLE_EQ(toDecimal("5."), 5.0);
    EXPECT_DOUBLE_EQ(toDecimal("1.5E1"), 15.0);
    EXPECT_DOUBLE_EQ(toDecimal("25e-1"), 2.5);
    EXPECT_DOUBLE_EQ(toDecimal("1e-999"), 0.0); // underflow reads as zero
    std::setlocale(LC_ALL, "C");
    for (const char* bad : {"", ".", "2,5", "1.000,5", "inf", "nan", "0x1p3", " 2", "2 ", "1e",
                            "1e+", "--1", "1e999"}) {
        EXPECT_EQ(tts::test::errorOf([&] { toDecimal(bad); }),
                  std::string("'") + bad + "' no es un valor punto flotante v\xE1lido");
    }
}

// The grammar and the overflow rule that table fields share with every other number.
TEST(Numbers, DecimalGrammarAndOverflow) {
    const struct {
        const char* text;
        bool valid, whole;
        std::optional<double> value;
    } cases[] = {
        {"-007", true, true, -7.0},
        {"+12", true, true, 12.0},
        {"2.", true, false, 2.0},
        {"1.0E+2", true, false, 100.0},
        {"1e-999", true, false, 0.0},
        {"1e999", true, false, std::nullopt},
        {"-1e999", true, false, std::nullopt},
        {"", false, false, std::nullopt},
        {"1e", false, false, std::nullopt},
        {"+-1", false, false, std::nullopt},
        {"1 ", false, false, std::nullopt},
        {"inf", false, false, std::nullopt},
    };
    for (const auto& c : cases) {
        const DecimalShape shape = decimalShape(c.text);
        EXPECT_EQ(shape.valid, c.valid) << c.text;
        EXPECT_EQ(shape.whole, c.whole) << c.text;
        if (c.valid) {
            EXPECT_EQ(decimalValue(c.text), c.value) << c.text;
        }
    }
}

TEST(Numbers, HostWindowHandles) {
    EXPECT_EQ(toHexHandle("1A2B"), 0x1A2Bu);
    EXPECT_EQ(toHexHandle("1a2b"), 0x1A2Bu);
    EXPECT_EQ(toHexHandle("0000001A2B"), 0x1A2Bu);
    EXPECT_EQ(toHexHandle("FFFFFFFF"), 0xFFFFFFFFu);
    for (const char* bad : {"", "0x1A2B", "123456789", "-1", "+1", " 1A", "1G"}) {
        EXPECT_EQ(tts::test::errorOf([&] { toHexHandle(bad); }),
                  std::string("'$") + bad + "' no es un valor entero v\xE1lido");
    }
}

} // namespace tts
