#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tts::check {

// One thing the check found, shown as "fichero:línea: texto" ("fichero: texto" for the whole
// file). Texts are Windows-1252 bytes like the files they quote.
struct Finding {
    std::string file; // the name as stored in the folder, or as the jobs ask for it
    int64_t line = 0; // 1-based line (row for a table); 0 for the whole file
    std::string text;
    bool stops = false; // would stop a job or lose lines, rather than a warning
    // What the jobs do by design and the user may want to know (a repeated code whose first line
    // wins): listed apart, after the summary, and no finding.
    bool note = false;
};

using Findings = std::vector<Finding>;

inline std::string findingLine(const Finding& f) {
    return f.file + (f.line > 0 ? ":" + std::to_string(f.line) : std::string()) + ": " + f.text;
}

// "'<value>'", quoted so that an empty value or one with blanks stays visible.
inline std::string quoted(const std::string& value) {
    return "'" + value + "'";
}

} // namespace tts::check
