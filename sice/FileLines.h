#pragma once

#include "sice/LineReader.h"
#include "sice/SiceLayouts.h"
#include "sice/WholeFileReader.h"

#include <cstdint>
#include <string_view>

namespace tts::sice {

// Calls `each(lineNumber, line)` for every line of a SICE file's bytes, read as `reading` says
// (line by line: a Ctrl-Z ends the file; whole: every byte counts), numbered from 1. The line is
// a view valid during the call. The import and `check` both walk a file through this, so they
// cannot see different lines.
template <class Each> void forEachLine(std::string_view bytes, FileReading reading, Each&& each) {
    int64_t lineNumber = 0;
    if (reading == FileReading::Whole) {
        WholeFileLines lines(bytes);
        for (std::string_view line; lines.next(line);)
            each(++lineNumber, line);
    } else {
        LineReader reader = LineReader::over(bytes);
        while (!reader.atEnd())
            each(++lineNumber, reader.next());
    }
}

} // namespace tts::sice
