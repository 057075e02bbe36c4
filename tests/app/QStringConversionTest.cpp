#include "app/qt/QStringConversion.h"

#include "base/Windows1252.h"

#include <gtest/gtest.h>

namespace tts::app {
namespace {

TEST(QStringConversionTest, EveryCharacterOfTheCodePageComesBackAsItsByte) {
    std::string all;
    QString text;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
        text.append(QChar(windows1252ToUnicode(static_cast<unsigned char>(b))));
    }
    EXPECT_EQ(toWindows1252(text), all);
}

TEST(QStringConversionTest, ConvertsTheProgramsTexts) {
    EXPECT_EQ(toWindows1252(QString::fromUtf8("'$1' no es un valor entero válido")),
              "'$1' no es un valor entero v\xE1lido");
    EXPECT_EQ(toWindows1252(QString::fromUtf8("€ŠŸÑ")), "\x80\x8A\x9F\xD1");
    EXPECT_EQ(toWindows1252(QString::fromUtf8("Peñalara €")), "Pe\xF1"
                                                              "alara \x80");
    EXPECT_EQ(toWindows1252(QString::fromUtf8("日本")), "??");
}

} // namespace
} // namespace tts::app
