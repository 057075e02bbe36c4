#include "app/CallParameters.h"

#include "base/Error.h"

#include "tests/support/ErrorText.h"

#include <gtest/gtest.h>

namespace tts::app {
namespace {

struct Case {
    std::vector<std::string> arguments;
    bool embedded;
    uint32_t handle;
    JobWord word;
};

TEST(CallParametersTest, ModeHandleAndJobWordFollowTheArguments) {
    const Case cases[] = {
        {{}, false, 0, JobWord::Other},
        {{"importar"}, false, 0, JobWord::Other},
        {{"importar", "1A2B", "x"}, false, 0, JobWord::Other},
        // Three or more are ignored whatever they hold, a bad handle too.
        {{"importar", "zz", "zz", "zz"}, false, 0, JobWord::Other},
        {{"IMPORTAR", "1A2B"}, true, 0x1A2B, JobWord::Importar},
        {{"Importar", "1a2b"}, true, 0x1A2B, JobWord::Importar},
        {{"eXPORTAR", "0000001A2B"}, true, 0x1A2B, JobWord::Exportar},
        {{"importar ", "1A2B"}, true, 0x1A2B, JobWord::Other},
        {{" exportar", "1A2B"}, true, 0x1A2B, JobWord::Other},
        {{"", "FFFFFFFF"}, true, 0xFFFFFFFF, JobWord::Other},
        // Only A-Z are lowered: a Windows-1252 capital stays a different letter.
        {{"IMPORT\xC1R", "1"}, true, 1, JobWord::Other},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const CallParameters call = interpretCommandLine(c.arguments);
        EXPECT_EQ(call.embedded, c.embedded);
        EXPECT_EQ(call.hostWindow, c.handle);
        EXPECT_EQ(call.jobWord, c.word);
    }
}

TEST(CallParametersTest, HandleThatIsNotHexadecimalNamesItWithTheDollar) {
    for (std::string handle :
         {"123456789", "0x1A2B", "", "-1", "+1A", " 1A2B", "1A2B ", "1A2G", "$1A2B", "1A2B\xE1"}) {
        SCOPED_TRACE(handle);
        EXPECT_EQ(tts::test::errorOf([&] {
                      interpretCommandLine({"importar", handle});
                  }),
                  "'$" + handle + "' no es un valor entero v\xE1lido");
    }
}

} // namespace
} // namespace tts::app
