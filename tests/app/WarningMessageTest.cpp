#include "app/WarningMessage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tts::app {
namespace {

// The message after "Proceso finalizado": the report's warnings, a few of them, or nothing.
TEST(WarningMessage, ListsAFewWarningsOrNothing) {
    const std::vector<std::string> eight = {"w1", "w2", "w3", "w4", "w5", "w6", "w7", "w8"};
    struct Case {
        std::vector<std::string> warnings;
        std::vector<std::string> lines; // "" for no message
    };
    const Case cases[] = {
        {{}, {""}},
        {{"w1"}, {"Revise estos avisos:", "", "- w1", "", ""}},
        {std::vector<std::string>(eight.begin(), eight.begin() + 6),
         {"Revise estos avisos:", "", "- w1", "- w2", "- w3", "- w4", "- w5", "- w6", "", ""}},
        {std::vector<std::string>(eight.begin(), eight.begin() + 7),
         {"Revise estos avisos:", "", "- w1", "- w2", "- w3", "- w4", "- w5", "- w6",
          "- y 1 aviso m\xE1s", "", ""}},
        {eight,
         {"Revise estos avisos:", "", "- w1", "- w2", "- w3", "- w4", "- w5", "- w6",
          "- y 2 avisos m\xE1s", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.warnings.size());
        std::vector<std::string> lines;
        const std::string text = warningMessage(c.warnings);
        for (size_t from = 0;;) {
            const size_t end = text.find('\n', from);
            lines.push_back(text.substr(from, end - from));
            if (end == std::string::npos)
                break;
            from = end + 1;
        }
        // After a blank line, the last one points to the help; the rest is the table's.
        if (!c.warnings.empty()) {
            EXPECT_NE(lines.back().find("ayuda"), std::string::npos);
            lines.back().clear();
        }
        EXPECT_EQ(lines, c.lines);
        EXPECT_LE(lines.size(), 12u);
    }
}

} // namespace
} // namespace tts::app
