#pragma once

#include "tests/support/ChildProcess.h"

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace tts::cli::test {

// What the program's messages put between a folder and a file name, and the same inside a JSON
// string.
#ifdef _WIN32
inline const std::string kSeparator = "\\";
inline const std::string kJsonSeparator = "\\\\";
#else
inline const std::string kSeparator = "/";
inline const std::string kJsonSeparator = "/";
#endif

// A path as a JSON string holds it: every backslash doubled.
inline std::string jsonPath(const std::string& path) {
    std::string escaped;
    for (char c : path) {
        if (c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

// exit status (-1 when killed), standard output and error, and whether it had to be stopped.
using CliResult = tts::test::ChildResult;

// Runs a program with `args`, its own environment changes (an empty value unsets), standard
// input an open pipe that nothing is ever written to (a program that waited for input would
// hang there, and is killed after `timeout`), and both outputs captured.
inline CliResult runProgram(const std::string& program, const std::vector<std::string>& args,
                            const std::map<std::string, std::string>& environment = {},
                            std::chrono::seconds timeout = std::chrono::seconds(30)) {
    CliResult result = tts::test::runProgram(program, args, environment, timeout);
#ifdef _WIN32
    // A Windows console program writes CR LF for every line end; the texts are the same.
    for (std::string* text : {&result.out, &result.err}) {
        std::string plain;
        for (size_t i = 0; i < text->size(); ++i)
            if (!((*text)[i] == '\r' && i + 1 < text->size() && (*text)[i + 1] == '\n'))
                plain += (*text)[i];
        *text = plain;
    }
#endif
    return result;
}

inline CliResult runCli(const std::vector<std::string>& args,
                        const std::map<std::string, std::string>& environment = {}) {
    return runProgram(TTS_CLI_PATH, args, environment);
}

// Lines without their line ends.
inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') // a Windows console writes CR LF
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The keys of a JSON report's outer object, in order: every kind of run has the same ones.
inline std::vector<std::string> topLevelKeys(const std::string& json) {
    std::vector<std::string> keys;
    for (const std::string& line : linesOf(json))
        if (line.rfind("  \"", 0) == 0 && line[2] == '"')
            keys.push_back(line.substr(3, line.find('"', 3) - 3));
    return keys;
}

} // namespace tts::cli::test
