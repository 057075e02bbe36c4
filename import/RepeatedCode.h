#pragma once

#include "base/WarningText.h"
#include "import/ImportRun.h"
#include "sice/CodeList.h"

#include <algorithm>
#include <string_view>

namespace tts::import {

// The first line with a code wins: a later line whose code is already taken (letter case
// ignored) is dropped and counted as a repeat of `file`. True when the code is new and now taken.
inline bool takeNewCode(sice::CodeList& codes, std::string_view code, TableReport& report,
                        const char* file) {
    const auto [place, added] = codes.addOrFind(code);
    if (added)
        return true;
    ++report.repeatedCodes;
    // A step reads one or two files and names only a few codes: each search is short.
    auto in = std::find_if(report.repeats.begin(), report.repeats.end(),
                           [&](const RepeatedCodes& r) { return r.file == file; });
    if (in == report.repeats.end())
        in = report.repeats.insert(report.repeats.end(), RepeatedCodes{file});
    ++in->lines;
    if (place >= in->counted.size())
        in->counted.resize(place + 1);
    if (!in->counted[place]) {
        in->counted[place] = true;
        ++in->distinct;
        if (in->codes.size() < kCodesNamed)
            in->codes.emplace_back(code);
    }
    return false;
}

} // namespace tts::import
