#pragma once

#include <cstdint>
#include <string>
#include <utility>
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

// Findings of one kind in one file, at most the first kShown of them; the rest are counted and
// said once, at the first of them: "y N <more>". A file of a million repeated codes then costs
// twenty findings, not a million, as in the reports of the jobs.
class CappedFindings {
public:
    static constexpr int64_t kShown = 20;
    // `more` names the rest ("c\xF3digos repetidos m\xE1s"); they stop a job or are notes as
    // the findings they stand for.
    CappedFindings(Findings& out, std::string more) : out_(out), more_(std::move(more)) {}
    CappedFindings(const CappedFindings&) = delete;
    CappedFindings& operator=(const CappedFindings&) = delete;
    ~CappedFindings() {
        if (hidden_ > 0)
            out_.push_back({firstHidden_.file, firstHidden_.line,
                            "y " + std::to_string(hidden_) + " " + more_ + " (desde esta l\xEDnea)",
                            firstHidden_.stops, firstHidden_.note});
    }
    void add(Finding finding) {
        if (shown_ < kShown) {
            out_.push_back(std::move(finding));
            ++shown_;
            return;
        }
        if (hidden_++ == 0) {
            firstHidden_ = std::move(finding);
            firstHidden_.text.clear();
        }
    }

private:
    Findings& out_;
    std::string more_;
    int64_t shown_ = 0;
    int64_t hidden_ = 0;
    Finding firstHidden_;
};

// "'<value>'", quoted so that an empty value or one with blanks stays visible.
inline std::string quoted(const std::string& value) {
    return "'" + value + "'";
}

} // namespace tts::check
