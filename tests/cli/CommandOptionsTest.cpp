#include "cli/CommandOptions.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tts::cli::test {
namespace {

// The words after the command name, and either the options they give or the exact problem.
struct OptionsCase {
    std::vector<std::string> args;
    std::string problem; // empty: the words are accepted, with the three values below
    std::string sice = "";
    std::string work = "";
    bool json = false;
};

void PrintTo(const OptionsCase& c, std::ostream* out) {
    for (const std::string& arg : c.args)
        *out << '[' << arg << "] ";
}

class ParseCommandOptions : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(ParseCommandOptions, GivesTheOptionsOrTheExactProblem) {
    const OptionsCase& c = GetParam();
    std::string problem;
    const std::optional<CommandOptions> options = parseCommandOptions(c.args, problem);
    if (!c.problem.empty()) {
        EXPECT_FALSE(options.has_value());
        EXPECT_EQ(problem, c.problem);
        return;
    }
    ASSERT_TRUE(options.has_value()) << problem;
    EXPECT_EQ(problem, "");
    EXPECT_EQ(options->siceFolder, c.sice);
    EXPECT_EQ(options->workFolder, c.work);
    EXPECT_EQ(options->json, c.json);
}

const std::string kNoSice = "falta --sice CARPETA";
const std::string kEmptySice = "la carpeta de --sice est\u00E1 vac\u00EDa";

INSTANTIATE_TEST_SUITE_P(
    Table, ParseCommandOptions,
    ::testing::Values(
        // Accepted, in any order, with the value after a space or an equals sign.
        OptionsCase{{"--sice", "S"}, "", "S"}, OptionsCase{{"--sice=S"}, "", "S"},
        OptionsCase{{"--sice", "S", "--work", "W", "--json"}, "", "S", "W", true},
        OptionsCase{{"--json", "--work=W", "--sice", "S"}, "", "S", "W", true},
        OptionsCase{{"--sice", "a=b c", "--work=x=y"}, "", "a=b c", "x=y"},
        OptionsCase{{"--sice=/"}, "", "/"},
        OptionsCase{{"--sice", "S", "--json", "--json"}, "", "S", "", true},
        // Refused, each with its own problem.
        OptionsCase{{}, kNoSice}, OptionsCase{{"--work", "W", "--json"}, kNoSice},
        OptionsCase{{"--sice"}, "falta la carpeta tras --sice"},
        OptionsCase{{"--sice", "S", "--work"}, "falta la carpeta tras --work"},
        // An option is not a folder: the folder is missing, not "--json".
        OptionsCase{{"--sice", "--json"}, "falta la carpeta tras --sice"},
        OptionsCase{{"--work", "--sice", "S"}, "falta la carpeta tras --work"},
        OptionsCase{{"--sice=--json"}, "", "--json"}, OptionsCase{{"--sice="}, kEmptySice},
        OptionsCase{{"--sice", ""}, kEmptySice},
        OptionsCase{{"--sice", "S", "--work="}, "la carpeta de --work est\u00E1 vac\u00EDa"},
        OptionsCase{{"--sice", "S", "--sice", "S"}, "--sice aparece dos veces"},
        OptionsCase{{"--sice=S", "--sice=T"}, "--sice aparece dos veces"},
        OptionsCase{{"--sice", "S", "--work", "W", "--work=X"}, "--work aparece dos veces"},
        OptionsCase{{"--sice", "S", "--verbose"}, "argumento desconocido: --verbose"},
        OptionsCase{{"/tmp"}, "argumento desconocido: /tmp"},
        OptionsCase{{"--sicex", "S"}, "argumento desconocido: --sicex"},
        OptionsCase{{"--sice", "S", "--JSON"}, "argumento desconocido: --JSON"},
        OptionsCase{{"--sice", "S", "--json=1"}, "argumento desconocido: --json=1"},
        // The first fault found is the one told, before a missing --sice.
        OptionsCase{{"--bogus"}, "argumento desconocido: --bogus"},
        OptionsCase{{"--work"}, "falta la carpeta tras --work"}));

TEST(FolderForRun, DropsTrailingSeparatorsOnly) {
    const struct {
        const char* typed;
        const char* folder;
    } cases[] = {
        {"dir", "dir"},
        {"dir/", "dir"},
        {"dir///", "dir"},
        {"/a/b/", "/a/b"},
        {"a/b", "a/b"},
        {"/", ""},
        {"", ""},
#ifdef _WIN32
        {"C:\\x\\", "C:\\x"},
        {"C:\\x/\\", "C:\\x"},
#else
        {"dir\\", "dir\\"}, // a backslash is part of a Linux name
#endif
    };
    for (const auto& c : cases)
        EXPECT_EQ(folderForRun(c.typed), c.folder) << c.typed;
}

} // namespace
} // namespace tts::cli::test
