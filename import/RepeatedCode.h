#pragma once

#include "import/ImportRun.h"
#include "sice/CodeList.h"

#include <string_view>

namespace tts::import {

// The first line with a code wins: a later line whose code is already taken (letter case
// ignored) is dropped and counted as a repeat. True when the code is new and now taken.
inline bool takeNewCode(sice::CodeList& codes, std::string_view code, TableReport& report) {
    if (codes.addIfNew(code))
        return true;
    ++report.repeatedCodes;
    return false;
}

} // namespace tts::import
