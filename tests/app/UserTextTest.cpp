#include "app/qt/UserText.h"

#include <gtest/gtest.h>

namespace tts::app {
namespace {

TEST(UserTextTest, ProgramTextsAreWindows1252AndPathsUtf8) {
    EXPECT_EQ(userText("'$x' no es un valor entero v\xE1lido"),
              QString::fromUtf8("'$x' no es un valor entero válido"));
    EXPECT_EQ(userText("No existe la carpeta"), QStringLiteral("No existe la carpeta"));
    // A path of the file system inside a message.
    EXPECT_EQ(userText("Cannot open file \"/srv/a\xC3\xB1o/sice_asignat.txt\". No such file"),
              QString::fromUtf8("Cannot open file \"/srv/año/sice_asignat.txt\". No such file"));
    // "ñ" alone, or followed by what cannot continue it, is no UTF-8.
    EXPECT_EQ(userText("Pe\xF1"
                       "alara \xC3"),
              QString::fromUtf8("Peñalara Ã"));
}

} // namespace
} // namespace tts::app
