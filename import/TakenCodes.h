#pragma once

#include "base/WarningText.h"
#include "import/ImportRun.h"
#include "sice/CodeList.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace tts::import {

// The codes one step has taken, the first line with a code winning, and what its report needs to
// count each repeated code once per file.
class TakenCodes {
public:
    // A line whose code is already taken (letter case ignored) is dropped and counted as a repeat
    // of `file` in `report`. True when the code is new and now taken.
    bool takeNew(std::string_view code, TableReport& report, const char* file) {
        const auto [place, added] = codes_.addOrFind(code);
        if (added)
            return true;
        ++report.repeatedCodes;
        // A step reads one or two files: each search is short.
        auto in = std::find_if(files_.begin(), files_.end(),
                               [&](const FileRepeats& r) { return r.file == file; });
        if (in == files_.end()) {
            in = files_.insert(files_.end(), FileRepeats{file, report.repeats.size(), {}});
            report.repeats.push_back(RepeatedCodes{file});
        }
        RepeatedCodes& repeats = report.repeats[in->inReport];
        ++repeats.lines;
        if (place >= in->counted.size())
            in->counted.resize(place + 1);
        if (!in->counted[place]) {
            in->counted[place] = true;
            ++repeats.distinct;
            if (repeats.codes.size() < kCodesNamed)
                repeats.codes.emplace_back(code);
        }
        return false;
    }

private:
    // A file with repeats: its place in the report's repeats, and by the code's place in codes_,
    // whether the code is already counted in its `distinct`.
    struct FileRepeats {
        std::string file;
        size_t inReport;
        std::vector<bool> counted;
    };

    sice::CodeList codes_;
    std::vector<FileRepeats> files_;
};

} // namespace tts::import
