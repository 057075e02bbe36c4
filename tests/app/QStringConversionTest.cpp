#include "app/qt/QStringConversion.h"

#include <gtest/gtest.h>

namespace tts::app {
namespace {

TEST(QStringConversionTest, EveryByteSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(toWindows1252(fromWindows1252(all)), all);
}

TEST(QStringConversionTest, ConvertsTheProgramsTextsBothWays) {
    EXPECT_EQ(fromWindows1252("'$1' no es un valor entero v\xE1lido"),
              QString::fromUtf8("'$1' no es un valor entero válido"));
    EXPECT_EQ(fromWindows1252("\x80\x8A\x9F\xD1"), QString::fromUtf8("€ŠŸÑ"));
    EXPECT_EQ(toWindows1252(QString::fromUtf8("Peñalara €")), "Pe\xF1"
                                                              "alara \x80");
    EXPECT_EQ(toWindows1252(QString::fromUtf8("日本")), "??");
}

} // namespace
} // namespace tts::app
