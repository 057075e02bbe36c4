#pragma once

#include "import/ImportRun.h"
#include "sice/CodeList.h"

#include <string>

namespace tts::import {

// The first line with a code wins: a later line whose code is already taken (letter case
// ignored) is dropped and counted as a repeat. True when the code is new and now taken.
inline bool takeNewCode(sice::CodeList& codes, const std::string& code, TableReport& report) {
    if (codes.contains(code)) {
        ++report.repeatedCodes;
        return false;
    }
    codes.add(code);
    return true;
}

} // namespace tts::import
